// The report writer of TournamentReader: the format, the tournament's name
// and every section summary as one JSON document.
#include <boost/property_tree/json_parser.hpp>
#include <boost/property_tree/ptree.hpp>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "analysis/enum_translator.h"
#include "analysis/tournament_reader.h"
#include "report/tour_name.h"

namespace {

namespace pt = boost::property_tree;

constexpr const char* kToolVersion = "1.01";
// Where the pretty writer puts the members of an object inside the
// "Sections" array: two levels of four blanks.
constexpr const char* kSectionIndent = "        ";

// tree as write_json writes it, without the line end it adds at the end.
std::string Json(const pt::ptree& tree) {
    std::ostringstream text;
    pt::write_json(text, tree, true);
    std::string json = text.str();
    json.pop_back();
    return json;
}

// One section's report values, written as an element of the "Sections"
// array exactly as write_json writes a tree of them at that level, with
// write_json's own escaping. text is room to build it in, kept from one
// section to the next.
void WriteSection(std::ostream& out, const std::vector<std::pair<const char*, std::string>>& values,
                  std::string& text) {
    text = kSectionIndent;
    text += "{\n";
    for (size_t i = 0; i < values.size(); ++i) {
        text += kSectionIndent;
        text += "    \"";
        text += values[i].first;  // the keys are plain ASCII names
        text += "\": \"";
        text += pt::json_parser::create_escapes(values[i].second);
        text += '"';
        if (i + 1 < values.size()) text += ',';
        text += '\n';
    }
    text += kSectionIndent;
    text += '}';
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace

bool TournamentReader::WriteReport(int formatErrors) {
    return WriteReport(formatErrors, std::cout);
}

bool TournamentReader::WriteReport(int formatErrors, std::ostream& out) {
    try {
        pt::ptree root;
        root.put("DBformat", ImportType, BoostTransLator<eImportType>());
        root.put("DBformatName", FormatName(ImportType));
        root.put("ToolVersion", kToolVersion);
        root.put("FormatErrors", static_cast<unsigned>(formatErrors));
        root.put("SectionCount", static_cast<unsigned>(Sections.size()));
        ConvertTourName(TourName);
        root.put("TourName", TourName);
        if (Sections.empty()) {
            // An empty tree is written as the value "".
            root.put_child("Sections", pt::ptree());
            pt::write_json(out, root, true);
            return static_cast<bool>(out);
        }

        // The document as write_json writes it whole, but one section at a
        // time and without a tree for it: the trees of every section together
        // would take many times the memory of the summaries, and building one
        // per section costs more than the rest of a run on a file of many.
        const std::string head = Json(root);  // ends in "\n}"
        out.write(head.data(), static_cast<std::streamsize>(head.size() - 2));
        out << ",\n    \"Sections\": [\n";
        std::string text;
        for (auto entry = Sections.begin(); entry != Sections.end(); ++entry) {
            WriteSection(out, entry->second.ReportValues(), text);
            if (std::next(entry) != Sections.end()) out << ',';
            out << '\n';
        }
        out << "    ]\n}" << std::endl;
        return static_cast<bool>(out);
    } catch (const pt::json_parser_error&) {
        return false;
    } catch (const pt::ptree_bad_data&) {
        return false;
    }
}
