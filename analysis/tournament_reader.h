// TournamentReader: the tournament of one BWS file in its detected format.
// It holds one summary per section, ordered by section number, with the
// format and the tournament's name, and writes them as the JSON report.
#pragma once

#include <iosfwd>
#include <map>
#include <string>

#include "analysis/section_info.h"
#include "platform/cstring.h"
#include "schema/import_type.h"

class TournamentReader {
  public:
    // An empty tournament of the given format.
    explicit TournamentReader(eImportType importType);

    // Reads the whole tournament from the database into this object: the
    // name, every section's movement (classified and checked), and the
    // player, result and hand-record rows per section. True on success; false
    // with the one reason in errorText (which the read empties first).
    // Summaries built before a failure stay in Sections. Asking a record for
    // a column its layout does not declare is such a failure, named in
    // errorText.
    bool Read(CString& errorText);

    // Writes the report to standard output. formatErrors is written as
    // "FormatErrors". Converts TourName in place. Returns false when the JSON
    // writer or the stream failed (what was written stays written).
    bool WriteReport(int formatErrors);
    // The same, to the given stream.
    bool WriteReport(int formatErrors, std::ostream& out);

    std::map<int, CBWS_SectionInfo> Sections;
    // When false, a section whose rounds do not play the same boards at every
    // table fails the read. A run leaves it true.
    bool AllowNonBarometer = true;
    eImportType ImportType;
    std::string TourName;

  private:
    // Read without its guard against undeclared columns.
    bool ReadSteps(CString& errorText);
    // The steps of Read, in order; each failing one appends its message.
    bool ReadTourName(CString& errorText);
    bool ReadRounds(CString& errorText);
    void MarkStationaryNorthSouth();
    bool ReadSectionTable(CString& errorText);
    bool ClassifyAndCheckMovements(bool checksBoardDistribution, CString& errorText);
    void MarkUnsortedRounds();
    bool CountPlayers(CString& errorText);
    bool CountResultsAndHands(CString& errorText);
};
