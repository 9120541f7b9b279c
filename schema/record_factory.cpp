#include "schema/record_factory.h"

#include "schema/client_records.h"
#include "schema/movement_records.h"
#include "schema/play_records.h"
#include "schema/player_records.h"
#include "schema/result_records.h"
#include "schema/session_record.h"
#include "schema/settings_records.h"

const char* TableName(BwsTable table) {
    switch (table) {
        case BwsTable::BiddingData:
            return "BiddingData";
        case BwsTable::Clients:
            return "Clients";
        case BwsTable::HandRecord:
            return "HandRecord";
        case BwsTable::IntermediateData:
            return "IntermediateData";
        case BwsTable::PlayData:
            return "PlayData";
        case BwsTable::PlayerNames:
            return "PlayerNames";
        case BwsTable::PlayerNumbers:
            return "PlayerNumbers";
        case BwsTable::ReceivedData:
            return "ReceivedData";
        case BwsTable::RoundData:
            return "RoundData";
        case BwsTable::Section:
            return "Section";
        case BwsTable::Settings:
            return "Settings";
        case BwsTable::Tables:
            return "Tables";
        case BwsTable::Session:
            return "Session";
    }
    return "";
}

std::unique_ptr<BWSbase> MakeRecord(BwsTable table, char layout) {
    switch (table) {
        case BwsTable::BiddingData:
            switch (layout) {
                case 'A':
                    return std::make_unique<BC_RecBiddingData>();
                case 'B':
                    return std::make_unique<BC_RecBiddingDataB>();
                default:
                    return nullptr;
            }
        case BwsTable::Clients:
            switch (layout) {
                case 'A':
                    return std::make_unique<BC_RecClients>();
                case 'B':
                    return std::make_unique<BC_RecClientsB>();
                default:
                    return nullptr;
            }
        case BwsTable::HandRecord:
            switch (layout) {
                case 'A':
                    return std::make_unique<BC_RecHandRecordA>();
                case 'B':
                    return std::make_unique<BC_RecHandRecordB>();
                default:
                    return nullptr;
            }
        case BwsTable::IntermediateData:
            switch (layout) {
                case 'A':
                    return std::make_unique<BC_RecIntermediateDataA>();
                case 'B':
                    return std::make_unique<BC_RecIntermediateDataB>();
                case 'C':
                    return std::make_unique<BC_RecIntermediateDataC>();
                default:
                    return nullptr;
            }
        case BwsTable::PlayData:
            switch (layout) {
                case 'A':
                    return std::make_unique<BC_RecPlayDataA>();
                case 'B':
                    return std::make_unique<BC_RecPlayDataB>();
                case 'C':
                    return std::make_unique<BC_RecPlayDataC>();
                default:
                    return nullptr;
            }
        case BwsTable::PlayerNames:
            switch (layout) {
                case 'A':
                    return std::make_unique<BC_RecPlayerNamesA>();
                case 'B':
                    return std::make_unique<BC_RecPlayerNamesB>();
                case 'C':
                    return std::make_unique<BC_RecPlayerNamesC>();
                default:
                    return nullptr;
            }
        case BwsTable::PlayerNumbers:
            switch (layout) {
                case 'A':
                    return std::make_unique<BC_RecPlayerNumbersA>();
                case 'B':
                    return std::make_unique<BC_RecPlayerNumbersB>();
                case 'C':
                    return std::make_unique<BC_RecPlayerNumbersC>();
                case 'D':
                    return std::make_unique<BC_RecPlayerNumbersD>();
                case 'E':
                    return std::make_unique<BC_RecPlayerNumbersE>();
                case 'F':
                    return std::make_unique<BC_RecPlayerNumbersF>();
                case 'G':
                    return std::make_unique<BC_RecPlayerNumbersG>();
                default:
                    return nullptr;
            }
        case BwsTable::ReceivedData:
            switch (layout) {
                case 'A':
                    return std::make_unique<BC_RecReceivedDataA>();
                case 'B':
                    return std::make_unique<BC_RecReceivedDataB>();
                case 'C':
                    return std::make_unique<BC_RecReceivedDataC>();
                case 'D':
                    return std::make_unique<BC_RecReceivedDataD>();
                case 'E':
                    return std::make_unique<BC_RecReceivedDataE>();
                case 'F':
                    return std::make_unique<BC_RecReceivedDataF>();
                default:
                    return nullptr;
            }
        case BwsTable::RoundData:
            switch (layout) {
                case 'A':
                    return std::make_unique<BC_RecRoundDataA>();
                case 'B':
                    return std::make_unique<BC_RecRoundDataB>();
                case 'C':
                    return std::make_unique<BC_RecRoundDataC>();
                default:
                    return nullptr;
            }
        case BwsTable::Section:
            switch (layout) {
                case 'A':
                    return std::make_unique<BC_RecSectionA>();
                case 'B':
                    return std::make_unique<BC_RecSectionB>();
                case 'C':
                    return std::make_unique<BC_RecSectionC>();
                case 'D':
                    return std::make_unique<BC_RecSectionD>();
                case 'E':
                    return std::make_unique<BC_RecSectionE>();
                case 'F':
                    return std::make_unique<BC_RecSectionF>();
                case 'G':
                    return std::make_unique<BC_RecSectionG>();
                case 'H':
                    return std::make_unique<BC_RecSectionH>();
                case 'I':
                    return std::make_unique<BC_RecSectionI>();
                case 'J':
                    return std::make_unique<BC_RecSectionJ>();
                default:
                    return nullptr;
            }
        case BwsTable::Settings:
            switch (layout) {
                case 'A':
                    return std::make_unique<BC_RecSettingsA>();
                case 'B':
                    return std::make_unique<BC_RecSettingsB>();
                case 'C':
                    return std::make_unique<BC_RecSettingsC>();
                case 'D':
                    return std::make_unique<BC_RecSettingsD>();
                case 'E':
                    return std::make_unique<BC_RecSettingsE>();
                case 'F':
                    return std::make_unique<BC_RecSettingsF>();
                case 'G':
                    return std::make_unique<BC_RecSettingsG>();
                case 'H':
                    return std::make_unique<BC_RecSettingsH>();
                case 'I':
                    return std::make_unique<BC_RecSettingsI>();
                case 'J':
                    return std::make_unique<BC_RecSettingsJ>();
                default:
                    return nullptr;
            }
        case BwsTable::Tables:
            switch (layout) {
                case 'A':
                    return std::make_unique<BC_RecTablesA>();
                case 'B':
                    return std::make_unique<BC_RecTablesB>();
                case 'C':
                    return std::make_unique<BC_RecTablesC>();
                case 'D':
                    return std::make_unique<BC_RecTablesD>();
                case 'E':
                    return std::make_unique<BC_RecTablesE>();
                case 'F':
                    return std::make_unique<BC_RecTablesF>();
                default:
                    return nullptr;
            }
        case BwsTable::Session:
            switch (layout) {
                case 'A':
                    return std::make_unique<BC_RecSession>();
                default:
                    return nullptr;
            }
    }
    return nullptr;
}
