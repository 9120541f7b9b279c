// BWSbase: the typed table reader that every BWS table record derives from.
// A record declares its columns once, in its constructor, each with its name,
// kind, width and the member that receives it. Open builds the SELECT, runs
// it on the record's own statement, binds the result's columns to the
// declared ones by name and fetches the first row into the members; MoveNext
// fetches the next one; at the end of the rows, and for NULL, members hold
// zero or empty values. Records are neither copied nor moved: the bindings
// point into them.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "db/odbc_statement.h"
#include "platform/cstring.h"
#include "platform/ole_date_time.h"

class BWSbase {
  public:
    // How a member is laid out.
    enum t_ColumnKind {
        Integer = 0,   // 16- or 32-bit signed integer
        Boolean = 1,   // 32-bit integer, 0 or 1
        Text = 2,      // CString
        String = 3,    // std::string
        DateTime = 4,  // COleDateTime
        Binary = 5,    // CByteArray
        Reserved = 6,  // eight bytes
        Double = 7,    // 64-bit floating point
    };

    // How a value reaches its member.
    enum t_ColumnFlags {
        ColFixed = 0x10,     // bound straight into the member
        ColVariable = 0x20,  // bound into a buffer taken from the member before each fetch
    };

    // One declared column.
    struct ColumnDesc {
        std::string name;  // as declared
        t_ColumnKind kind = Integer;
        void* member = nullptr;
        int size = 0;  // bytes for numbers, characters for text, bytes for binary
        int flags = 0;
        unsigned short column = 0;  // 1-based position in the result, 0 = never found
        short sqlType = 0;          // the SQL type the column is declared with
        short cType = 0;            // the C type it is fetched as
        SQLLEN indicator = 0;
        std::unique_ptr<unsigned char[]> buffer;  // conversion buffer (Boolean, DateTime)
        bool inResult = false;                    // found in the current result
    };

    // One column of the last executed result.
    struct ResultColumn {
        std::string name;  // upper-cased
        unsigned short sqlType = 0;
    };

    BWSbase();
    virtual ~BWSbase();
    BWSbase(const BWSbase&) = delete;
    BWSbase& operator=(const BWSbase&) = delete;

    // Runs the query and fetches the first row. True when the query ran, the
    // columns were bound and the first row (if any) was transferred; eof then
    // tells whether there is a row. A failure leaves the record closed (the
    // statement may stay allocated until Close).
    bool Open();
    // Fetches the next row; afterwards eof tells whether one is current.
    void MoveNext();
    // Ends the query and frees the statement. Declarations stay.
    void Close();

    // Number of distinct declared columns.
    int ColumnCount() const { return static_cast<int>(columns.size()); }

    CString where;       // after " WHERE "; empty: no condition
    CString orderBy;     // after " ORDER BY "; empty: no ordering
    CString sqlText;     // the statement text of the last Open
    CString selectList;  // the select list, "*" until a record sets it
    CString fromText;    // FROM override; empty: the bracketed table name
    CString fullSql;     // whole statement override, used unchanged when set
    CString tableName;
    std::map<std::string, ColumnDesc> columns;  // keyed by upper-cased name
    std::vector<ResultColumn> resultColumns;
    ODBCStatement stmt;
    bool eof = true;
    bool isOpen = false;
    // Set when a fetch failed (anything but the end of the rows): eof is
    // then set too, but the rows before it are not the whole table.
    bool fetchFailed = false;

  protected:
    // Column declarations, for record constructors. A name declared before
    // (in any letter case) keeps its first declaration.
    void AddShortColumn(const char* name, short* member);
    void AddLongColumn(const char* name, int* member);
    void AddBoolColumn(const char* name, int* member);
    void AddDateTimeColumn(const char* name, COleDateTime* member);
    void AddTextColumn(const char* name, CString* member, int width);
    void AddStringColumn(const char* name, std::string* member);
    void AddDoubleColumn(const char* name, double* member);
    void AddColumn(ColumnDesc descriptor);

    // Sets tableName and, when the select list is still "*", "[table].*".
    void SetTable(const char* table);

  private:
    bool DescribeResult();
    bool BindFixedColumns();
    bool BindVariableColumns();
    bool TransferRow(bool atEnd);
    void SetNull(ColumnDesc& descriptor);
    bool ConvertBuffered(ColumnDesc& descriptor);
    bool FinishVariable(ColumnDesc& descriptor);

    // The declared columns in the order of columns, listed again at each
    // Open so that the work done for every row walks a vector, not the map.
    std::vector<ColumnDesc*> ordered_;
};
