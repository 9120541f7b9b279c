// The catalogue of the known BWS formats: for each format number, the layout
// letter of each of its tables ('-' where the format lacks the table).
#pragma once

#include <memory>
#include <vector>

#include "db/bws_base.h"
#include "schema/import_type.h"
#include "schema/record_factory.h"

// The tables of a detection set, in the order they are compared.
constexpr BwsTable kDetectionTables[12] = {
    BwsTable::BiddingData,      BwsTable::Clients,      BwsTable::HandRecord,
    BwsTable::IntermediateData, BwsTable::PlayData,     BwsTable::PlayerNames,
    BwsTable::PlayerNumbers,    BwsTable::ReceivedData, BwsTable::RoundData,
    BwsTable::Section,          BwsTable::Settings,     BwsTable::Tables,
};

// The layout letter of table in format: 'A' to 'J', '-' when the format has
// no such table. Session has layout 'A' in every format.
char LayoutOf(eImportType format, BwsTable table);

// One record per table of the format, in detection order.
std::vector<std::unique_ptr<BWSbase>> BuildDetectionSet(eImportType format);
