// Table records of the computers connected to the database: Clients.
// Each record declares its layout's columns; its members hold the current row.
#pragma once

#include "schema/record_columns.h"

#define BWS_COLUMNS_ClientsA(X) \
    X(long, ID, "ID", 0)        \
    X(text, Computer, "Computer", 255)

class BC_RecClients : public BWSbase {
  public:
    BC_RecClients();
    BWS_COLUMNS_ClientsA(BWS_RECORD_MEMBER)

        private : static const char* TableName() {
        return "Clients";
    }
};

#define BWS_COLUMNS_ClientsB(X)                                \
    X(long, ID, "ID", 0)                                       \
    X(text, Computer, "Computer", 255)                         \
    X(bool, ShutDownBPCNow, "ShutDownBPCNow", 0)               \
    X(bool, UseBwsSettings, "UseBwsSettings", 0)               \
    X(text, Custom_ComputerAlias, "Custom_ComputerAlias", 255) \
    X(text, Custom_Section, "Custom_Section", 255)             \
    X(short, Custom_TableFrom, "Custom_TableFrom", 0)          \
    X(short, Custom_TableTo, "Custom_TableTo", 0)

BWS_RECORD_CLASS(BC_RecClientsB, BWS_COLUMNS_ClientsB)
