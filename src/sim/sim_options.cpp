#include "sim/sim_options.h"

#include "protocol/password_mask.h"

#include <QCommandLineParser>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr quint32 LargestMeterNumber = 0xFFFFFF;

[[noreturn]] void Refuse(const QString& message)
{
    std::fprintf(stderr, "vm742-sim: %s\n", qPrintable(message));
    std::exit(1);
}

} // namespace

SimOptions ParseSimOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated type-742/341 meter on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption link(QStringLiteral("link"),
        QStringLiteral("Symlink <path> to the slave while running."), QStringLiteral("path"));
    const QCommandLineOption type(QStringLiteral("type"), QStringLiteral("Meter type: 742 (default) or 341."),
        QStringLiteral("type"), QStringLiteral("742"));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Print every request and reply in hex."));
    const QCommandLineOption number(QStringLiteral("number"), QStringLiteral("Meter number, 0..16777215."),
        QStringLiteral("n"));
    const QCommandLineOption password(QStringLiteral("password"),
        QStringLiteral("Access password the meter expects, up to 6 characters (default: none)."),
        QStringLiteral("text"));
    const QCommandLineOption scanner(QStringLiteral("scanner"),
        QStringLiteral("Also a barcode scanner on a second pseudo-terminal: each line of stdin is sent to it as a code "
                       "ended by a carriage return."));
    parser.addOptions({link, type, verbose, number, password, scanner});
    parser.process(arguments);

    SimOptions options;
    options.link = parser.value(link);
    options.verbose = parser.isSet(verbose);
    options.scanner = parser.isSet(scanner);
    const QString typeName = parser.value(type);
    if (typeName != QStringLiteral("742") && typeName != QStringLiteral("341"))
        Refuse(QStringLiteral("--type must be 742 or 341"));
    options.type341 = typeName == QStringLiteral("341");
    if (parser.isSet(number)) {
        bool ok = false;
        const uint value = parser.value(number).toUInt(&ok);
        if (!ok || value > LargestMeterNumber)
            Refuse(QStringLiteral("--number must be 0..16777215"));
        options.number = value;
    }
    const QString passwordText = parser.value(password);
    if (!IsValidPassword(passwordText))
        Refuse(QStringLiteral("--password must be at most 6 characters of the Windows-1251 code page"));
    options.password = PasswordBytes(passwordText);
    return options;
}
