#include "CommandLine.h"

#include "BuildInfo.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char HelpText[] = "Použití: telimer [--help | --version]\n"
                            "\n"
                            "Spočítá index tělesné hmotnosti (BMI) z hmotnosti, výšky a věku, určí pásmo\n"
                            "hmotnosti a vyznačí je v grafech.\n"
                            "\n"
                            "  -h, --help   vypíše tuto nápovědu a skončí\n"
                            "  --version    vypíše název a verzi programu a skončí\n"
                            "\n"
                            "Ostatní argumenty program pomíjí; volby knihovny Qt (například -platform) platí.\n";

// A full disk or a closed pipe must not pass for a printed answer.
int finishOutput()
{
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

} // namespace

std::optional<int> answerCommandLine(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--version") == 0) {
            std::printf("%s, verze %s\n%s\nLicence GPL-3.0-or-later.\n", buildinfo::ProductName, buildinfo::FileVersion,
                        buildinfo::LegalCopyright);
            return finishOutput();
        }
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::fputs(HelpText, stdout);
            return finishOutput();
        }
    }
    return std::nullopt;
}
