#include <cstddef>
#include <cstdint>
#include <optional>

#include <QByteArray>
#include <QRegion>

#include "fuzz/FuzzApplication.h"
#include "runtime/Form.h"
#include "skin/CoolForm.h"
#include "skin/RegionData.h"
#include "skin/RegionType.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    StartFuzzApplication(argc, argv);
    return 0;
}

// A "Mask2" block loaded into a skin on a window; a block that is read must write back to the same
// region, and the skin must write out what it read.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray block(reinterpret_cast<const char *>(data), qsizetype(size));
    TForm form;
    auto *skin = new TCoolForm(&form);
    skin->LoadMaskData(block);

    const std::optional<QRegion> region = skin->Mask()->RegionHandle();
    const QByteArray written = RegionData::Write(region);
    if (skin->SaveMaskData() != written)
        __builtin_trap();
    if (region && RegionData::Read(written) != region)
        __builtin_trap();
    return 0;
}
