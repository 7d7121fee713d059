#include "routes.h"

#include <chrono>
#include <optional>
#include <string_view>
#include <thread>

#include "entries_file.h"
#include "pages.h"

namespace recordd {
namespace {

constexpr char kText[] = "text/plain; charset=utf-8";

// Where the value of a field starts in a form body that is not percent-escaped.
std::optional<size_t> FieldStart(std::string_view body, std::string_view name) {
    const std::string prefix = std::string(name) + "=";
    if (body.starts_with(prefix))
        return prefix.size();
    const size_t found = body.find("&" + prefix);
    if (found == std::string_view::npos)
        return std::nullopt;
    return found + 1 + prefix.size();
}

// The usage document: the info field runs to the end of the body, since the document may
// itself hold "&".
std::optional<std::string_view> InfoField(std::string_view body) {
    const auto start = FieldStart(body, "info");
    if (!start)
        return std::nullopt;
    return body.substr(*start);
}

std::string_view TipField(std::string_view body) {
    const auto start = FieldStart(body, "tip");
    if (!start)
        return {};
    return body.substr(*start, body.find('&', *start) - *start);
}

void AnswerIni(const httplib::Request& request, httplib::Response& response,
               const ServerOptions& options, RecordDatabase& database) {
    database.StoreIniRequest(request.remote_addr, request.body);
    std::optional<std::vector<Entry>> entries;
    if (options.entriesFile.empty()) {
        entries.emplace();
    } else {
        entries = ReadEntries(options.entriesFile);
    }
    if (!entries) {
        response.status = 500;
        response.set_content("entries unavailable\n", kText);
        return;
    }
    response.set_content(IniReply(*entries), kText);
}

void AnswerRecord(const httplib::Request& request, httplib::Response& response,
                  RecordDatabase& database) {
    const auto document = InfoField(request.body);
    if (!document) {
        response.status = 400;
        response.set_content("no info field\n", kText);
        return;
    }
    if (!database.StoreSubmission(request.remote_addr, TipField(request.body), *document)) {
        response.status = 500;
        response.set_content("cannot store the submission\n", kText);
        return;
    }
    response.set_content("OK\n", kText);
}

// Dribbles one byte at a time, so the client keeps waiting for the rest.
void AnswerStall(httplib::Response& response, const httplib::Server& server) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + minutes(10);
    response.set_chunked_content_provider(
        "image/png", [&server, deadline](size_t, httplib::DataSink& sink) {
            std::this_thread::sleep_for(milliseconds(250));
            return server.is_running() && steady_clock::now() < deadline && sink.write("\0", 1);
        });
}

}  // namespace

void InstallRoutes(httplib::Server& server, const ServerOptions& options,
                   RecordDatabase& database) {
    const auto ini = [&options, &database](const httplib::Request& request,
                                           httplib::Response& response) {
        AnswerIni(request, response, options, database);
    };
    server.Get("/ini.php", ini);
    server.Post("/ini.php", ini);
    server.Post("/record.php",
                [&database](const httplib::Request& request, httplib::Response& response) {
                    AnswerRecord(request, response, database);
                });
    server.Get("/web/stall", [&server](const httplib::Request&, httplib::Response& response) {
        AnswerStall(response, server);
    });
    for (const Page& page : StaticPages()) {
        server.Get(std::string(page.path),
                   [html = page.html](const httplib::Request&, httplib::Response& response) {
                       response.set_content(std::string(html), "text/html; charset=utf-8");
                   });
    }
}

}  // namespace recordd
