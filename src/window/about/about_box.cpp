#include "window/about/about_box.h"

#include "workstation/memory_status.h"
#include "window/controls/link_label.h"
#include "window/controls/named.h"
#include "window/common/application_icon.h"

#include <QDesktopServices>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The box keeps its look whatever the screen's font size.
constexpr int FontPixels = 11;
constexpr int ProductNamePixels = 16;
const QSize PictureSize(165, 93);

QLabel* Centred(QLabel* label)
{
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// A contact line too long for the box is cut at its edge; the tooltip
// keeps the whole of it.
QLabel* ContactLine(QLabel* label, const QString& whole)
{
    label->setToolTip(whole);
    return label;
}

QFont Bold(QFont font, int pixels)
{
    font.setBold(true);
    font.setPixelSize(pixels);
    return font;
}

} // namespace

TAboutBox::TAboutBox(const QDir& startDir, const QDir& programDir, QWidget* parent)
    : QDialog(parent),
      contacts_(ChooseAboutContacts(startDir, programDir))
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("О программе"));
    setFixedSize(394, 281);
    QFont boxFont = font();
    boxFont.setPixelSize(FontPixels);
    setFont(boxFont);

    Label1 = Named(new QLabel, "Label1");
    Label2 = Named(new QLabel, "Label2");
    auto* ok = Named(new QPushButton(QStringLiteral("OK")), "OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* middle = new QHBoxLayout;
    middle->addWidget(CreateContacts(), 1);
    middle->addWidget(CreateProductPicture(), 0, Qt::AlignCenter);
    auto* memory = new QVBoxLayout;
    memory->addWidget(Label1);
    memory->addWidget(Label2);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(memory, 1);
    bottom->addWidget(ok, 0, Qt::AlignBottom);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->addWidget(CreateTitlePanel());
    column->addLayout(middle, 1);
    column->addLayout(bottom);
}

QWidget* TAboutBox::CreateTitlePanel()
{
    auto* panel = Named(new QFrame, "Panel1");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);

    auto* iconFrame = Named(new QFrame, "Panel2");
    iconFrame->setFrameShape(QFrame::Panel);
    iconFrame->setFrameShadow(QFrame::Sunken);
    iconFrame->setFixedSize(34, 34);
    auto* icon = Named(new QLabel(iconFrame), "Image2");
    icon->setGeometry(1, 1, 32, 32);
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));

    auto* productName = Centred(Named(new QLabel(QStringLiteral("8-тарифный 1-фазный эл. счетчик")), "ProductName"));
    productName->setFont(Bold(font(), ProductNamePixels));
    auto* title = Centred(Named(new QLabel(QStringLiteral("Программирование Velmar 742, 341")), "Label11"));
    title->setFont(Bold(font(), FontPixels));
    auto* version = Centred(Named(new QLabel(QStringLiteral("Версия 1.4")), "Version"));

    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addWidget(productName);
    texts->addWidget(title);
    texts->addWidget(version);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(6, 4, 6, 4);
    row->addWidget(iconFrame, 0, Qt::AlignVCenter);
    row->addLayout(texts, 1);
    return panel;
}

QWidget* TAboutBox::CreateContacts()
{
    auto* group = Named(new QGroupBox(QStringLiteral("Наши координаты")), "GroupBox1");
    auto* web = new LinkLabel(contacts_.webText);
    auto* email = new LinkLabel(contacts_.desk.email);
    connect(web, &LinkLabel::Clicked, this, &TAboutBox::Label3Click);
    connect(email, &LinkLabel::Clicked, this, &TAboutBox::Label6Click);
    Label3 = Named(ContactLine(web, contacts_.webTip), "Label3");
    Label6 = Named(ContactLine(email, contacts_.desk.email), "Label6");

    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(1);
    grid->addWidget(new QLabel(QStringLiteral("Web-страница:")), 0, 0);
    grid->addWidget(Label3, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("E-mail:")), 2, 0);
    grid->addWidget(Label6, 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("Телефоны:")), 4, 0);
    const QString& phone1 = contacts_.desk.phone1;
    const QString& phone2 = contacts_.desk.phone2;
    grid->addWidget(Named(ContactLine(new QLabel(phone1), phone1), "Label8"), 5, 0);
    grid->addWidget(Named(ContactLine(new QLabel(phone2), phone2), "Label9"), 6, 0);
    return group;
}

QLabel* TAboutBox::CreateProductPicture()
{
    // Drawn from the vector picture at its final size, so it stays sharp.
    QImageReader reader(QStringLiteral(":/images/meter.svg"));
    reader.setScaledSize(PictureSize);
    auto* picture = Named(new QLabel, "Image1");
    picture->setFixedSize(PictureSize);
    picture->setPixmap(QPixmap::fromImage(reader.read()));
    return picture;
}

void TAboutBox::showEvent(QShowEvent* event)
{
    // Nothing is better than a wrong figure when the platform won't say.
    const auto status = ReadMemoryStatus();
    const QStringList lines = status ? MemoryLines(*status) : QStringList{QString(), QString()};
    Label1->setText(lines[0]);
    Label2->setText(lines[1]);
    QDialog::showEvent(event);
}

void TAboutBox::Label3Click()
{
    QDesktopServices::openUrl(contacts_.webUrl);
}

void TAboutBox::Label6Click()
{
    // An empty line opens no empty message.
    if (!contacts_.desk.email.isEmpty())
        QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + contacts_.desk.email));
}
