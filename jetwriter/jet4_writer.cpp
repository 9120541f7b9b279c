#include "jetwriter/jet4_writer.h"

#include "jetwriter/catalog.h"
#include "jetwriter/data_page_writer.h"
#include "jetwriter/header_page.h"
#include "jetwriter/image_file.h"
#include "jetwriter/little_endian.h"
#include "jetwriter/long_value_writer.h"
#include "jetwriter/page_image.h"
#include "jetwriter/row_encoder.h"
#include "jetwriter/schema_rules.h"
#include "jetwriter/table_definition.h"
#include "jetwriter/table_layout.h"
#include "jetwriter/usage_map.h"

namespace jetwriter {
namespace {

// One table on its way into the image: the catalog or a user table.
struct TablePlan {
    const Table* table = nullptr;
    bool systemTable = false;
    size_t userIndex = WriteProblem::kNone;  // index in Database::tables
    uint32_t definitionPage = 0;
    std::vector<uint32_t> dataPages;
    uint32_t usageMap = 0;
    uint32_t freeSpaceMap = 0;
};

bool Fail(WriteProblem* problem, std::string message, size_t table,
          size_t row = WriteProblem::kNone) {
    problem->message = std::move(message);
    problem->table = table;
    problem->row = row;
    return false;
}

bool CheckSchemas(const Database& database, WriteProblem* problem) {
    for (size_t i = 0; i < database.tables.size(); ++i) {
        const Table& table = database.tables[i];
        std::string message = CheckTableSchema(table);
        if (!message.empty()) return Fail(problem, std::move(message), i);
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
void StoreSparePage(uint8_t* page) {
    page[0] = kDataPageType;
    page[1] = 0x01;
    StoreU16(page + 2, static_cast<uint16_t>(kPageSize - kDataPageHeaderSize));
}

// Appends the pages of every table definition (filled in last, once the row
// counts and usage maps are known) and notes the first page of each.
void ReserveDefinitionPages(std::vector<TablePlan>* plans, PageImage* image) {
    for (TablePlan& plan : *plans) {
        const TableLayout layout(plan.table->columns);
        const size_t size = BuildTableDefinition(plan.table->columns, layout, {}).size();
        const uint32_t pageCount = TableDefinitionPageCount(size);
        plan.definitionPage = image->page_count();
        for (uint32_t i = 0; i < pageCount; ++i) image->AppendPage();
    }
}

bool StoreRows(TablePlan* plan, PageImage* image, WriteProblem* problem) {
    DataPageWriter dataPages(image, plan->definitionPage);
    LongValueWriter longValues(image);
    RowEncoder encoder(plan->table->columns, &longValues);
    const std::vector<std::vector<Value>>& rows = plan->table->rows;
    for (size_t row = 0; row < rows.size(); ++row) {
        std::string message = encoder.Encode(rows[row]);
        if (!message.empty()) return Fail(problem, std::move(message), plan->userIndex, row);
        dataPages.AddRow(encoder.row_bytes().data(), encoder.row_bytes().size());
    }
    plan->dataPages = dataPages.pages();
    return true;
}

bool StoreUsageMaps(std::vector<TablePlan>* plans, PageImage* image, WriteProblem* problem) {
    DataPageWriter mapPages(image, 0);
    const std::vector<uint8_t> freeSpaceMap = BuildEmptyUsageMap();
    for (TablePlan& plan : *plans) {
        const std::vector<uint8_t> usageMap = BuildUsageMap(plan.dataPages);
        if (usageMap.size() > kMaxRowSize) {
            return Fail(problem,
                        "the table spans " + std::to_string(plan.dataPages.size()) +
                            " pages, more than its usage map can mark",
                        plan.userIndex);
        }
        plan.usageMap = mapPages.AddRow(usageMap.data(), usageMap.size());
        plan.freeSpaceMap = mapPages.AddRow(freeSpaceMap.data(), freeSpaceMap.size());
    }
    return true;
}

void StoreDefinitions(const std::vector<TablePlan>& plans, PageImage* image) {
    for (const TablePlan& plan : plans) {
        TableDefinitionFields fields;
        fields.systemTable = plan.systemTable;
        fields.rowCount = static_cast<uint32_t>(plan.table->rows.size());
        fields.usageMap = plan.usageMap;
        fields.freeSpaceMap = plan.freeSpaceMap;
        const TableLayout layout(plan.table->columns);
        StoreTableDefinition(BuildTableDefinition(plan.table->columns, layout, fields),
                             plan.definitionPage, image);
    }
}

}  // namespace

bool BuildJet4Image(const Database& database, std::vector<uint8_t>* image, WriteProblem* problem) {
    if (!CheckSchemas(database, problem)) return false;

    PageImage pages;
    StoreHeaderPage(database.created, pages.Page(pages.AppendPage()));
    StoreSparePage(pages.Page(pages.AppendPage()));

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

std::string WriteJet4File(const std::string& path, const Database& database,
                          ExistingFile existing) {
    std::vector<uint8_t> image;
    WriteProblem problem;
    if (!BuildJet4Image(database, &image, &problem)) return DescribeProblem(database, problem);
    return WriteImageFile(path, image, existing);
}

}  // namespace jetwriter
