#include "xls/compound_file.h"

#include "xls/workbook.h"

#include <gsf/gsf-infile-impl.h>
#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-utils.h>
#include <memory>
#include <mutex>

namespace {

const char StreamName[] = "Workbook";
// Far beyond any workbook of 65536 rows the station writes; a larger
// stream is refused rather than read into memory.
constexpr gsf_off_t MaxStreamSize = 256 * 1024 * 1024;

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GsfPointer = std::unique_ptr<T, Unref>;

void InitGsf()
{
    static std::once_flag once;
    std::call_once(once, [] {
        gsf_init();
        // Damaged containers are reported to the caller as XlsError; the
        // library's own warnings about them would only fill the terminal.
        g_log_set_handler("libgsf:msole", GLogLevelFlags(G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE),
            [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {}, nullptr);
    });
}

// The named stream, or null. The library's own lookup prints a warning for
// every stream it cannot open; through its class the failure comes back
// here instead, and a damaged file is only reported to the caller.
GsfInput* ChildByName(GsfInfile* container, const char* name)
{
    const int count = gsf_infile_num_children(container);
    for (int i = 0; i < count; ++i) {
        if (qstrcmp(gsf_infile_name_by_index(container, i), name) != 0)
            continue;
        GError* error = nullptr;
        GsfInput* child = GSF_INFILE_CLASS(G_OBJECT_GET_CLASS(container))->child_by_index(container, i, &error);
        if (error)
            g_error_free(error);
        return child;
    }
    return nullptr;
}

} // namespace

QByteArray CompoundFile(const QByteArray& workbookStream)
{
    InitGsf();
    GsfPointer<GsfOutput> memory(gsf_output_memory_new());
    GsfPointer<GsfOutfile> container(gsf_outfile_msole_new(memory.get()));
    GsfPointer<GsfOutput> stream(gsf_outfile_new_child(container.get(), StreamName, FALSE));
    if (!stream)
        throw XlsError(QStringLiteral("The workbook's container cannot be made."));
    const bool written = gsf_output_write(stream.get(), size_t(workbookStream.size()),
                             reinterpret_cast<const guint8*>(workbookStream.constData()))
        && gsf_output_close(stream.get());
    const bool closed = gsf_output_close(GSF_OUTPUT(container.get()));
    if (!written || !closed)
        throw XlsError(QStringLiteral("The workbook's container cannot be written."));
    auto* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory.get()));
    return QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(gsf_output_size(memory.get())));
}

QByteArray WorkbookStreamOf(const QByteArray& file)
{
    InitGsf();
    GsfPointer<GsfInput> input(gsf_input_memory_new(reinterpret_cast<const guint8*>(file.constData()),
        gsf_off_t(file.size()), FALSE));
    GError* error = nullptr;
    GsfPointer<GsfInfile> container(gsf_infile_msole_new(input.get(), &error));
    if (error)
        g_error_free(error);
    if (!container)
        throw XlsError(QStringLiteral("The file is not an Excel 97-2003 workbook."));
    GsfPointer<GsfInput> stream(ChildByName(container.get(), StreamName));
    if (!stream)
        throw XlsError(QStringLiteral("The file holds no workbook."));
    const gsf_off_t size = gsf_input_size(stream.get());
    if (size < 0 || size > MaxStreamSize)
        throw XlsError(QStringLiteral("The workbook is too large."));
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    if (size > 0 && !gsf_input_read(stream.get(), size_t(size), reinterpret_cast<guint8*>(bytes.data())))
        throw XlsError(QStringLiteral("The workbook cannot be read."));
    return bytes;
}
