#include "jetwriter/jet_writer.h"

#include <algorithm>

#include "jetwriter/catalog.h"
#include "jetwriter/data_page_writer.h"
#include "jetwriter/header_page.h"
#include "jetwriter/image_file.h"
#include "jetwriter/jet_text.h"
#include "jetwriter/little_endian.h"
#include "jetwriter/long_value_writer.h"
#include "jetwriter/page_image.h"
#include "jetwriter/row_encoder.h"
#include "jetwriter/schema_rules.h"
#include "jetwriter/table_definition.h"
#include "jetwriter/table_layout.h"
#include "jetwriter/usage_map.h"
#include "jetwriter/utf8.h"

namespace jetwriter {
namespace {

// One table on its way into the image: the catalog or a user table.
struct TablePlan {
    const Table* table = nullptr;
    bool systemTable = false;
    size_t userIndex = WriteProblem::kNone;  // index in Database::tables
    uint32_t definitionPage = 0;
    std::vector<uint32_t> dataPages;
    uint32_t rowCount = 0;  // rows not deleted
    uint32_t usageMap = 0;
    uint32_t freeSpaceMap = 0;
};

bool Fail(WriteProblem* problem, std::string message, size_t table,
          size_t row = WriteProblem::kNone, size_t column = WriteProblem::kNone) {
    problem->message = std::move(message);
    problem->table = table;
    problem->row = row;
    problem->column = column;
    return false;
}

// Jet 3 stores names in Windows-1252: what is wrong with name there, if anything.
std::string CheckJet3Name(const std::string& name) {
    std::u16string units;
    std::vector<uint8_t> bytes;
    char32_t missing = 0;
    if (Utf8ToUtf16(name, &units) && !AppendWindows1252Text(units, &bytes, &missing)) {
        return "the character " + DescribeCharacter(missing) +
               " in the name cannot be stored in a Jet 3 file (its code page is Windows-1252)";
    }
    return {};
}

// What keeps column from a Jet 3 file, if anything.
std::string CheckJet3Column(const Column& column) {
    std::string message = CheckJet3Name(column.name);
    if (message.empty() && column.type == ColumnType::kNumeric) {
        message = "Numeric needs a Jet 4 file (format jet4); Access 97 has no such type";
    }
    return message.empty() ? message : "column " + column.name + ": " + message;
}

bool CheckSchemas(const Database& database, WriteProblem* problem) {
    for (size_t i = 0; i < database.tables.size(); ++i) {
        const Table& table = database.tables[i];
        std::string message = CheckTableSchema(table);
        if (!message.empty()) return Fail(problem, std::move(message), i);
        if (database.format == JetFormat::kJet3) {
            message = CheckJet3Name(table.name);
            if (!message.empty()) return Fail(problem, std::move(message), i);
            for (size_t c = 0; c < table.columns.size(); ++c) {
                message = CheckJet3Column(table.columns[c]);
                if (!message.empty()) {
                    return Fail(problem, std::move(message), i, WriteProblem::kNone, c);
                }
            }
        }
        if (SameName(table.name, kCatalogName)) {
            return Fail(problem, "the name " + table.name + " is taken by the system catalog", i);
        }
        for (size_t j = 0; j < i; ++j) {
            if (SameName(table.name, database.tables[j].name)) {
                return Fail(problem, "a table named " + table.name + " comes before", i);
            }
        }
    }
    return true;
}

// An empty data page of no owner: readers never look at page 1.
void StoreSparePage(const FormatSpec& spec, uint8_t* page) {
    page[0] = kDataPageType;
    page[1] = 0x01;
    StoreU16(page + 2, static_cast<uint16_t>(spec.pageSize - spec.dataPageHeaderSize));
}

// Appends the pages of every table definition (filled in last, once the row
// counts and usage maps are known) and notes the first page of each.
void ReserveDefinitionPages(std::vector<TablePlan>* plans, PageImage* image) {
    for (TablePlan& plan : *plans) {
        const JetFormat format = image->spec().format;
        const TableLayout layout(plan.table->columns, format);
        const size_t size = BuildTableDefinition(plan.table->columns, layout, {}, format).size();
        const uint32_t pageCount = TableDefinitionPageCount(size, image->page_size());
        plan.definitionPage = image->page_count();
        for (uint32_t i = 0; i < pageCount; ++i) image->AppendPage();
    }
}

bool StoreRows(TablePlan* plan, PageImage* image, WriteProblem* problem) {
    DataPageWriter dataPages(image, plan->definitionPage);
    LongValueWriter longValues(image);
    RowEncoder encoder(plan->table->columns, &longValues);
    const std::vector<std::vector<Value>>& rows = plan->table->rows;
    // Moved rows go to pages of their own, leaving an overflow pointer.
    DataPageWriter movedPages(image, plan->definitionPage);
    plan->rowCount = 0;
    for (size_t row = 0; row < rows.size(); ++row) {
        std::string message = encoder.Encode(rows[row], row);
        if (!message.empty()) return Fail(problem, std::move(message), plan->userIndex, row);
        const std::vector<uint8_t>& bytes = encoder.row_bytes();
        switch (plan->table->FateOf(row)) {
            case RowFate::kStored:
                dataPages.AddRow(bytes.data(), bytes.size());
                ++plan->rowCount;
                break;
            case RowFate::kDeleted:
                dataPages.AddRow(bytes.data(), bytes.size(), kDeletedRowFlags);
                break;
            case RowFate::kMoved: {
                const uint32_t target =
                    movedPages.AddRow(bytes.data(), bytes.size(), kMovedRowFlag);
                uint8_t pointer[4];
                StoreU32(pointer, target);
                dataPages.AddRow(pointer, sizeof pointer, kOverflowPointerFlag);
                ++plan->rowCount;
                break;
            }
        }
    }
    plan->dataPages = dataPages.pages();
    plan->dataPages.insert(plan->dataPages.end(), movedPages.pages().begin(),
                           movedPages.pages().end());
    std::sort(plan->dataPages.begin(), plan->dataPages.end());
    return true;
}

// The usage map row of plan's data pages: inline when it fits a row, else a
// reference map, whose bitmap pages are appended to the image.
bool BuildPlanUsageMap(const TablePlan& plan, PageImage* image, std::vector<uint8_t>* map,
                       WriteProblem* problem) {
    const FormatSpec& spec = image->spec();
    *map = BuildUsageMap(plan.dataPages, spec.minUsageBitmapSize);
    if (map->size() <= spec.maxRowSize()) return true;
    const std::vector<bool> ranges = UsageBitmapRanges(plan.dataPages, spec.pageSize);
    if (1 + 4 * ranges.size() > spec.maxRowSize()) {
        return Fail(problem,
                    "the table spans " + std::to_string(plan.dataPages.size()) +
                        " pages, more than its usage map can mark",
                    plan.userIndex);
    }
    // Access's reference map is as long as its inline map: 33 entries (Jet 3)
    // or 17 (Jet 4), enough for the largest file of the format.
    const size_t accessEntries = (spec.minUsageBitmapSize + 4) / 4;
    std::vector<uint32_t> bitmapPages(std::max(ranges.size(), accessEntries), 0);
    for (uint32_t range = 0; range < ranges.size(); ++range) {
        if (!ranges[range]) continue;
        bitmapPages[range] = image->AppendPage();
        StoreUsageBitmapPage(plan.dataPages, range, spec.pageSize, image->Page(bitmapPages[range]));
    }
    *map = BuildReferenceUsageMap(bitmapPages);
    return true;
}

bool StoreUsageMaps(std::vector<TablePlan>* plans, PageImage* image, WriteProblem* problem) {
    DataPageWriter mapPages(image, 0);
    const std::vector<uint8_t> freeSpaceMap = BuildEmptyUsageMap(image->spec().minUsageBitmapSize);
    std::vector<uint8_t> usageMap;
    for (TablePlan& plan : *plans) {
        if (!BuildPlanUsageMap(plan, image, &usageMap, problem)) return false;
        plan.usageMap = mapPages.AddRow(usageMap.data(), usageMap.size());
        plan.freeSpaceMap = mapPages.AddRow(freeSpaceMap.data(), freeSpaceMap.size());
    }
    return true;
}

void StoreDefinitions(const std::vector<TablePlan>& plans, PageImage* image) {
    for (const TablePlan& plan : plans) {
        TableDefinitionFields fields;
        fields.systemTable = plan.systemTable;
        fields.rowCount = plan.rowCount;
        fields.usageMap = plan.usageMap;
        fields.freeSpaceMap = plan.freeSpaceMap;
        const JetFormat format = image->spec().format;
        const TableLayout layout(plan.table->columns, format);
        StoreTableDefinition(BuildTableDefinition(plan.table->columns, layout, fields, format),
                             plan.definitionPage, image);
    }
}

}  // namespace

bool BuildJetImage(const Database& database, std::vector<uint8_t>* image, WriteProblem* problem) {
    if (!CheckSchemas(database, problem)) return false;

    PageImage pages(database.format);
    StoreHeaderPage(database.format, database.created, pages.Page(pages.AppendPage()));
    StoreSparePage(pages.spec(), pages.Page(pages.AppendPage()));

    // The catalog's definition must land on page 2, so it is reserved first;
    // its rows name the user tables' definition pages, so it is built after.
    std::vector<TablePlan> plans(database.tables.size() + 1);
    Table catalog;
    plans[0].table = &catalog;
    plans[0].systemTable = true;
    catalog.columns = CatalogColumns();
    for (size_t i = 0; i < database.tables.size(); ++i) {
        plans[i + 1].table = &database.tables[i];
        plans[i + 1].userIndex = i;
    }
    ReserveDefinitionPages(&plans, &pages);
    std::vector<uint32_t> definitionPages;
    for (size_t i = 1; i < plans.size(); ++i) definitionPages.push_back(plans[i].definitionPage);
    catalog = BuildCatalogTable(database, definitionPages);

    for (TablePlan& plan : plans) {
        if (!StoreRows(&plan, &pages, problem)) return false;
    }
    if (!StoreUsageMaps(&plans, &pages, problem)) return false;
    StoreDefinitions(plans, &pages);
    *image = pages.TakeBytes();
    return true;
}

std::string DescribeProblem(const Database& database, const WriteProblem& problem) {
    std::string text;
    if (problem.table != WriteProblem::kNone && problem.table < database.tables.size()) {
        text = "table " + database.tables[problem.table].name;
        if (problem.row != WriteProblem::kNone) text += ", row " + std::to_string(problem.row + 1);
        text += ": ";
    }
    return text + problem.message;
}

std::string WriteJetFile(const std::string& path, const Database& database, ExistingFile existing) {
    std::vector<uint8_t> image;
    WriteProblem problem;
    if (!BuildJetImage(database, &image, &problem)) return DescribeProblem(database, problem);
    return WriteImageFile(path, image, existing);
}

}  // namespace jetwriter
