#include "online/FetchDescriptor.h"

#include "online/Descriptor.h"
#include "online/LocalFiles.h"
#include "online/WebAddress.h"

namespace Module1 {

FetchedDescriptor fetchDescriptor(std::size_t minFields, const DownloadLimits& limits)
{
    const auto path = localFilePath(DescriptorFileName);
    FetchedDescriptor fetched;
    fetched.downloaded = Stahni(downloadAddress(DescriptorWebPath), path, limits);
    fetched.fields = readDescriptor(path, minFields);
    return fetched;
}

void removeDescriptor()
{
    deleteFileQuietly(localFilePath(DescriptorFileName));
}

} // namespace Module1
