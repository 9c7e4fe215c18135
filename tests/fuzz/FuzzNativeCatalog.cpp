// libFuzzer entry of the native catalog reader (built with TEMPOLOOP_LIBFUZZER).
#include "CatalogFuzzTargets.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CatalogFuzz::nativeReader(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
