#include "resources/Strings.h"

#include <QRegularExpression>
#include <QStringView>

#include <algorithm>
#include <iterator>

namespace strings {
namespace {

// Laid out as the text box shows it: a paragraph's wrapped lines end in CR CR LF, every other
// line in CR LF. The extra CR is invisible in the box; it marks a soft break within a paragraph.
constexpr char16_t helpText[]
    = u"Index tělesné hmotnosti\r\n"
      u"Index tělesné hmotnosti (anglicky body mass index, BMI) je měřítko obezity, které \r\r\n"
      u"umožňuje porovnávat hmotnost lidí různé výšky. Vypočítá se jako podíl tělesné \r\r\n"
      u"hmotnosti v kilogramech a druhé mocniny tělesné výšky v metrech. Výsledek se \r\r\n"
      u"zpravidla udává bez jednotek.\r\n"
      u"\r\n"
      u"Index poprvé popsal roku 1832 belgický astronom a statistik Adolphe Quetelet, \r\r\n"
      u"který zkoumal tělesné míry průměrného člověka. Podle svého autora se proto dodnes \r\r\n"
      u"nazývá také Queteletův index.\r\n"
      u"\r\n"
      u"\r\n"
      u"Použití\r\n"
      u"Pro posouzení jednotlivce je index příliš jednoduchým měřítkem. Nebere v úvahu \r\r\n"
      u"stavbu těla, podíl svalů a tuku ani jeho rozložení, a tak například u svalnatého \r\r\n"
      u"sportovce ukazuje nadváhu, ačkoliv jeho tělo obsahuje málo tuku. V lékařské praxi \r\r\n"
      u"se proto používají přesnější metody, například měření obvodu pasu nebo tloušťky \r\r\n"
      u"kožních řas.\r\n"
      u"\r\n"
      u"Největší užitek přináší index ve studiích celých populací, neboť hmotnost a výška \r\r\n"
      u"patří k údajům, které se měří snadno a levně a jsou běžně k dispozici i ve velkých \r\r\n"
      u"souborech dat. Díky tomu lze sledovat vývoj nadváhy a obezity v čase a porovnávat \r\r\n"
      u"jejich výskyt mezi zeměmi. Odchylky jednotlivců se ve velkém souboru do značné \r\r\n"
      u"míry vyrovnají.\r\n"
      u"\r\n"
      u"U konkrétního člověka je proto hodnota indexu jen přibližným ukazatelem, který \r\r\n"
      u"může upozornit na možné riziko nemoci. Je jen jedním z několika prostředků, jimiž \r\r\n"
      u"lékař posuzuje zdraví pacienta.\r\n"
      u"\r\n"
      u"\r\n"
      u"Zdroj :: Malá encyklopedie zdraví\r\n";

struct Entry {
    int id = 0;
    QStringView text;
};

constexpr Entry Table[] = {
    {HelpText, helpText},
    {DownloadError, u"Při stahování došlo k chybě"},
};

} // namespace

QString load(int id)
{
    const auto entry = std::find_if(std::begin(Table), std::end(Table), [id](const Entry& e) { return e.id == id; });
    return entry == std::end(Table) ? QString() : entry->text.toString();
}

QString forDisplay(const QString& text)
{
    // Leftmost match first, so a CR CR LF is taken whole and never leaves a stray CR behind.
    static const QRegularExpression lineEnd(QStringLiteral("\r?\r\n"));
    QString shown = text;
    return shown.replace(lineEnd, QStringLiteral("\n"));
}

} // namespace strings
