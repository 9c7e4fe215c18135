// libFuzzer entry of the spreadsheet catalog reader (built with TEMPOLOOP_LIBFUZZER).
#include "CatalogFuzzTargets.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CatalogFuzz::spreadsheetReader(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    return 0;
}
