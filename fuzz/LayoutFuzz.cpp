#include <cstddef>
#include <cstdint>

#include <QString>

#include "fuzz/FuzzApplication.h"
#include "runtime/Form.h"
#include "runtime/layout/LayoutError.h"
#include "runtime/layout/LayoutReader.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    StartFuzzApplication(argc, argv);
    return 0;
}

// A stored layout read into a fresh form with every class the program registers; a layout error is one
// of the expected outcomes, anything else that escapes is a finding.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    TForm form;
    try {
        ReadLayout(&form, text);
    } catch (const ELayoutError &) {
    }
    return 0;
}
