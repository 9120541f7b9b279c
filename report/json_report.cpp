// The report writer of TournamentReader: the format, the tournament's name
// and every section summary as one JSON document.
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <iostream>

#include "analysis/enum_translator.h"
#include "analysis/tournament_reader.h"
#include "report/tour_name.h"

namespace {
constexpr const char* kToolVersion = "1.01";
}  // namespace

bool TournamentReader::WriteReport(int formatErrors) {
    return WriteReport(formatErrors, std::cout);
}

bool TournamentReader::WriteReport(int formatErrors, std::ostream& out) {
    namespace pt = boost::property_tree;
    try {
        pt::ptree root;
        root.put("DBformat", ImportType, BoostTransLator<eImportType>());
        root.put("DBformatName", FormatName(ImportType));
        root.put("ToolVersion", kToolVersion);
        root.put("FormatErrors", static_cast<unsigned>(formatErrors));
        root.put("SectionCount", static_cast<unsigned>(Sections.size()));
        ConvertTourName(TourName);
        root.put("TourName", TourName);

        pt::ptree sections;
        for (const auto& entry : Sections) {
            pt::ptree section;
            sections.push_back(std::make_pair("", entry.second.WriteToPtree(section)));
        }
        root.put_child("Sections", sections);

        pt::write_json(out, root, true);
        out.flush();
        return static_cast<bool>(out);
    } catch (const pt::json_parser_error&) {
        return false;
    } catch (const pt::ptree_bad_data&) {
        return false;
    }
}
