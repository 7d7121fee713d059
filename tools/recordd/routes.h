#pragma once

// The server's answers:
//   /ini.php     (GET or POST) the dictionary entries of the entries file; the request body is
//                logged. 500 when the entries file cannot be read.
//   /record.php  (POST) stores the usage document of the form "tip=...&info=<document>" (the
//                body is taken as it is, not percent-decoded: the program does not escape it).
//                400 without an info field, 500 when it cannot be stored.
//   /web/stall   (GET) an answer that never ends: a byte every quarter second until the client
//                leaves or the server stops (at most ten minutes), for pages that never finish.
//   the static pages of pages.h; everything else 404.

#include <httplib.h>

#include "record_database.h"
#include "server_options.h"

namespace recordd {

void InstallRoutes(httplib::Server& server, const ServerOptions& options, RecordDatabase& database);

}  // namespace recordd
