#pragma once

// The online side of Module1 in one include: the download, the descriptor, the local files
// and the opening of web pages.
#include "online/BannerImage.h"
#include "online/Descriptor.h"
#include "online/Download.h"
#include "online/LocalFiles.h"
#include "online/ProfileReader.h"
#include "online/WebAddress.h"
