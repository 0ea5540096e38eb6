// Windows side of the download check under Wine: one Module1::transfer, its outcome on stdout as
// "OK <bytes>" or "FAIL <bytes>". The sink keeps the 4 MiB cap as Stahni's does.
#include "online/Transfer.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: transfer_probe ADDRESS [FLOOR_WINDOW_MS]\n");
        return 2;
    }
    const QCoreApplication application(argc, argv);
    Module1::DownloadLimits limits;
    if (argc > 2)
        limits.floorWindowMs = std::atol(argv[2]);
    long long received = 0;
    const bool ok = Module1::transfer(argv[1], limits, [&](const char*, std::size_t length) {
        if (static_cast<long long>(length) > limits.maxBytes - received)
            return false;
        received += static_cast<long long>(length);
        return true;
    });
    std::printf("%s %lld\n", ok ? "OK" : "FAIL", received);
    return 0;
}
