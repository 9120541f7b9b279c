// Records by table and layout letter, for code that picks a layout at run
// time (the format catalogue).
#pragma once

#include <memory>

#include "db/bws_base.h"

// The BWS tables, in the order of a format's detection set, then Session.
enum class BwsTable {
    BiddingData,
    Clients,
    HandRecord,
    IntermediateData,
    PlayData,
    PlayerNames,
    PlayerNumbers,
    ReceivedData,
    RoundData,
    Section,
    Settings,
    Tables,
    Session,
};

// The table's name as the file spells it.
const char* TableName(BwsTable table);

// A new record of the table in the layout given by its letter ('A' for the
// only layout of Session); null for a letter the table does not have.
std::unique_ptr<BWSbase> MakeRecord(BwsTable table, char layout);
