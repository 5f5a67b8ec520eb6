// libFuzzer entry: any bytes as a table file, opened and read through as the grid would.
#include <cstdint>
#include <string>

#include "ScratchFile.h"
#include "TMyTable.h"
#include "TableError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    nubra::fuzz::ScratchFile file("table_open", ".tbl");
    file.Write(data, size);
    nubra::TMyTable t;
    t.SetTableName(file.Base());
    try {
        t.Open();
        for (int r = 0; r < t.RecordCount() && r < 64; ++r) {
            t.GoToRecord(r);
            for (int f = 0; f < t.FieldCount(); ++f)
                nubra::ToText(t.GetField(f));
        }
        t.GoToRecord(0);
        t.Delete();
        t.Close();
    } catch (const nubra::TableError&) {
    }
    return 0;
}
