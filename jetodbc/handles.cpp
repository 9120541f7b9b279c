#include "jetodbc/handles.h"

#include "jetodbc/statement.h"

namespace jetodbc {

Environment::~Environment() { connections.clear(); }

Connection::Connection(Environment* env) : environment(env) {}

void Connection::Disconnect() {
    statements.clear();
    database.reset();
    connectionString.clear();
}

Connection::~Connection() { Disconnect(); }

}  // namespace jetodbc
