#include "schema/format_detection.h"

#include <cstring>

#include "db/connection.h"
#include "schema/format_catalogue.h"
#include "schema/schema_probe.h"

namespace {

// Tables that are only probed: their columns differ too much between
// editions to tell formats apart.
bool IsOnlyProbed(const CString& tableName) {
    static const char* const kNames[] = {"PlayerNames", "HandRecord", "Settings", "Tables",
                                         "Section"};
    for (const char* name : kNames) {
        if (std::strcmp(tableName.GetString(), name) == 0) return true;
    }
    return false;
}

// US4 and US5 files may hold a PlayerNumbers table of four columns where the
// layout declares five.
bool IsToleratedPlayerNumbers(eImportType format, BWSbase& record) {
    if (format != US4_BWS && format != US5_BWS) return false;
    const int declared = record.ColumnCount();
    const int returned = record.stmt.IsValid() ? record.stmt.GetColumnCount() : 0;
    return declared != returned &&
           std::strcmp(record.tableName.GetString(), "PlayerNumbers") == 0 && declared == 5 &&
           returned == 4;
}

}  // namespace

bool DetectFormat(eImportType format, CString& errorText, unsigned counters[3]) {
    errorText.Empty();
    if (GetConnection() == SQL_NULL_HDBC) {
        errorText += "Missing connection to DB\n";
        return false;
    }

    std::vector<std::unique_ptr<BWSbase>> records = BuildDetectionSet(format);
    unsigned failedProbes = 0;
    for (auto& record : records) {
        if (!ProbeTable(*record, nullptr)) {
            errorText += "Error checking table ";
            errorText += record->tableName;
            errorText += "\n";
            ++counters[0];
            ++failedProbes;
            continue;
        }
        if (IsOnlyProbed(record->tableName)) continue;

        record->Open();  // a table the file lacks fails here and counts below
        if (format == US4_BWS || format == US5_BWS) {
            if (IsToleratedPlayerNumbers(format, *record)) continue;
        } else {
            record->stmt.GetColumnCount();
        }

        int shortfall = 0;
        CheckColumnCount(*record, shortfall);
        if (shortfall > 0) counters[2] += static_cast<unsigned>(shortfall);
        if (!CheckColumnNames(*record)) ++counters[1];
    }
    for (auto& record : records) record->Close();
    return failedProbes == 0;
}
