// libFuzzer entry: any bytes as a table file, opened and read through as the grid would.
#include "TMyTable.h"
#include "TableError.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string name = "/tmp/nubra_table_fuzz_" + std::to_string(::getpid());
    if (std::FILE* f = std::fopen((name + ".tbl").c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    nubra::TMyTable t;
    t.SetTableName(name);
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
