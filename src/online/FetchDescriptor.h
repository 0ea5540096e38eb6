#pragma once

#include "online/Download.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The update descriptor as the windows use it: downloaded into the program's own folder, read,
// and removed again when the window that asked for it is done.
namespace Module1 {

struct FetchedDescriptor {
    bool downloaded = false; // the transfer completed
    // The record, with at least the fields asked for; missing when the file (a fresh one or one
    // an earlier download left) holds none.
    std::optional<std::vector<std::string>> fields;
};

// Downloads the descriptor over the local file within `limits` and reads it with at least
// `minFields` fields (AboutFieldCount, BannerFieldCount). Returns once the download has ended.
FetchedDescriptor fetchDescriptor(std::size_t minFields, const DownloadLimits& limits = {});

// Removes the downloaded descriptor, if any.
void removeDescriptor();

} // namespace Module1
