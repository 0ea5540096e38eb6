#include "windows/Form3.h"

#include "BuildInfo.h"
#include "online/Descriptor.h"
#include "online/FetchDescriptor.h"
#include "online/WebAddress.h"
#include "resources/Fonts.h"
#include "resources/Pictures.h"
#include "resources/Strings.h"
#include "windows/BusyCursor.h"
#include "windows/Layout.h"
#include "windows/Look.h"
#include "windows/ToolWindow.h"

#include <algorithm>

using fonts::Face;

namespace {

const QColor StatusColour(192, 0, 0);
const QColor RequestColour(128, 0, 0);

const QString ShortVersion = QString::fromUtf8(buildinfo::ShortVersion);

const QString VersionLine = QStringLiteral("v") + ShortVersion + QStringLiteral(".") + QString(76, u' ')
    + QStringLiteral("Id.:")
    + QString::fromUtf8(Module1::BuildId.data(), static_cast<qsizetype>(Module1::BuildId.size()));

void setTextColour(QLabel& label, QPalette::ColorGroup group, const QColor& colour)
{
    QPalette palette = label.palette();
    palette.setColor(group, QPalette::WindowText, colour);
    label.setPalette(palette);
}

} // namespace

Form3::Form3() : Image1(pictures::Icon)
{
    setWindowTitle(QStringLiteral("About"));
    windows::makeToolWindow(*this, QSize(312, 226));
    layOut();
    setUpLinks();
}

void Form3::layOut()
{
    windows::applyLayout({
        {&Image1, this, 120, 120, 480, 480},
        {&Label1, this, 840, 120, 1455, 240},
        {&Label2, this, 840, 480, 2340, 195},
        {&Label3, this, 840, 720, 3300, 195},
        {&Label4, this, 840, 1080, 1800, 240},
        {&Label7, this, 1080, 1320, 1620, 240},
        {&Label15, this, 120, 1680, 4455, 555},
        {&Label5, this, 120, 2400, 4485, 675},
        {&Label6, this, 120, 3120, 4455, 195},
    });
    windows::setupLabel(Label1,
                        QString::fromUtf8(buildinfo::InternalName) + QStringLiteral(" v") + ShortVersion
                            + QString::fromUtf8(buildinfo::ReleaseMark));
    windows::setupLabel(Label2, QString::fromUtf8(buildinfo::LegalCopyright));
    windows::setupLabel(Label3, QStringLiteral("Vytvořil : Petr Dvořák, petr@vexa.example"));
    windows::setupLabel(Label4, QStringLiteral("www.") + QString::fromUtf8(buildinfo::Host));
    windows::setupLabel(Label7, QStringLiteral("- web programu"));
    windows::setupLabel(Label15, QStringLiteral("Prosím čekejte..."));
    windows::setupLabel(Label5,
                        QStringLiteral("Líbí-li se Vám program, pošlete prosím autorovi dárek\n"
                                       "v libovolné výši na účet č. 123456789/0000,\n"
                                       "do zprávy pro příjemce uveďte „Vexík“. Děkuji!"));
    windows::setupLabel(Label6, VersionLine);

    for (QLabel* bold : std::initializer_list<QLabel*>{&Label1, &Label4, &Label7})
        bold->setFont(fonts::font(Face::Sans, fonts::WindowCaptionSize, true));
    Label15.setFont(fonts::font(Face::Sans, fonts::WindowTextSize, true));
    setTextColour(Label15, QPalette::Active, StatusColour);
    setTextColour(Label15, QPalette::Inactive, StatusColour);
    setTextColour(Label15, QPalette::Disabled, windows::GreyText);
    Label15.setEnabled(false);
    setTextColour(Label5, QPalette::All, RequestColour);
    // The host name and the version line, whose blanks push the build identifier to its right
    // end, must not wrap.
    windows::keepSingleLineLabelsWhole(*this);
}

void Form3::setUpLinks()
{
    connect(&Label4, &windows::Link::clicked, this, &Form3::Label4_Click);
    connect(&Label7, &windows::Link::clicked, this, &Form3::Label7_Click);
    setTabOrder(&Label4, &Label7);
    Image1.setAccessibleName(QStringLiteral("Telimer"));
}

void Form3::Form_Load()
{
    Chyba = false;
    const windows::BusyCursor busy;
    auto [downloaded, fields] = Module1::fetchDescriptor(Module1::AboutFieldCount, Module1::aboutLimits());
    Label15.setText(downloaded ? QStringLiteral("OK, staženo") : strings::load(strings::DownloadError));
    if (!fields) {
        Label15.setText(strings::load(strings::DownloadError));
        Chyba = true;
        return;
    }
    Polozky = std::move(*fields);
    Label15.setText(windows::visibleCaption(QString::fromStdString(Module1::statusText(Polozky))));
    Label15.setEnabled(Module1::statusEnabled(Polozky));
    windows::setPlainToolTip(Label6, QString::fromStdString(Module1::programPageAddress(Polozky)));
}

void Form3::Form_Unload()
{
    Module1::removeDescriptor();
}

void Form3::Label4_Click()
{
    Module1::openWebAddress(Module1::pageAddress(""));
}

void Form3::Label7_Click()
{
    Module1::openWebAddress(Chyba ? Module1::pageAddress(Module1::ProgramPagePath)
                                  : Module1::programPageAddress(Polozky));
}
