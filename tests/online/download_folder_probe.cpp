// Copied into the folder under test and run from there: prints the folder that the downloaded
// files go to; given an address, downloads the descriptor into it, prints whether that worked
// and the descriptor's first field ("none" without one), and removes the file again, as the
// program's windows do, then ends as the program does.
#include "online/Descriptor.h"
#include "online/Download.h"
#include "online/LocalFiles.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char* argv[])
{
    const QCoreApplication application(argc, argv);
    std::cout << Module1::downloadFolder().native() << '\n';
    if (argc > 1) {
        const auto file = Module1::localFilePath(Module1::DescriptorFileName);
        const bool downloaded = Module1::Stahni(argv[1], file);
        const auto fields = Module1::readDescriptor(file, 1);
        std::cout << downloaded << '\n' << (fields ? fields->front() : "none") << '\n';
        Module1::deleteFileQuietly(file);
    }
    Module1::removeOwnFiles(); // as the program's end does
    return 0;
}
