// Printers and jobs through libcups, which honours CUPS_SERVER and the user's lpoptions. A
// destination's page is its default media (the "media" option, else the server's media-default)
// at its default resolution; whatever the server does not say, or says beyond reason, falls back
// to A4 at 600 dpi.
//
// Every exchange with the server is bounded: the connection is made within a few seconds, each
// wait for data gives up after a few seconds, and the whole exchange runs on a helper thread
// that the caller stops (by shutting the connection down) when its deadline passes, so a server
// that trickles a byte now and then cannot hold the program either. A server that does not
// answer is named in the message.
#include "print/printer.h"

#include <cups/cups.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <future>
#include <thread>

namespace zg::print {
namespace {

constexpr int connect_ms = 3000;
constexpr double wait_seconds = 0.5;
constexpr auto listing_deadline = std::chrono::seconds(3);
constexpr auto submission_deadline = std::chrono::seconds(10);
// IPP names ("job-name") are at most 255 octets.
constexpr std::size_t max_title = 255;

std::string server_name() {
    const char* name = cupsServer();
    return name != nullptr ? name : "localhost";
}

// A connection to the print server whose waits end at a deadline; `silent` notes a wait given up.
struct Connection {
    explicit Connection(std::chrono::seconds allowed) : deadline(std::chrono::steady_clock::now() + allowed) {}

    http_t* http = nullptr;
    std::chrono::steady_clock::time_point deadline;
    std::atomic<bool> silent{false};

    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() {
        if (http != nullptr) httpClose(http);
    }
};

// Called after each quiet spell of wait_seconds: keeps waiting until the deadline, then gives up
// (libcups may reconnect and ask again, which then gives up after one quiet spell).
int keep_waiting(http_t*, void* data) {
    auto* connection = static_cast<Connection*>(data);
    if (std::chrono::steady_clock::now() < connection->deadline) return 1;
    connection->silent = true;
    return 0;
}

bool connect_server(Connection& connection, const std::string& server, std::string& error) {
    connection.http =
        httpConnect2(server.c_str(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, connect_ms, nullptr);
    if (connection.http == nullptr) {
        error = "print server " + server + " cannot be reached (" + std::strerror(errno) + ")";
        return false;
    }
    httpSetTimeout(connection.http, wait_seconds, keep_waiting, &connection);
    return true;
}

// Runs `work` on the connection by its deadline; false when the server did not answer in time (a
// wait given up, or the deadline passed and the connection was shut down under the work: a
// server that trickles a byte now and then never leaves a wait quiet for long).
template <class Work>
bool within_deadline(Connection& connection, Work&& work) {
    std::packaged_task<void()> task(std::forward<Work>(work));
    std::future<void> done = task.get_future();
    std::thread helper(std::move(task));
    const bool in_time = done.wait_until(connection.deadline) == std::future_status::ready;
    if (!in_time) {
        connection.silent = true;
        httpShutdown(connection.http);
    }
    helper.join();
    return in_time && !connection.silent;
}

// The destination's media name: the user's or queue's option first, then the server default.
std::string default_media_name(http_t* http, cups_dest_t& dest, cups_dinfo_t* info) {
    if (const char* media = cupsGetOption("media", dest.num_options, dest.options)) return media;
    ipp_attribute_t* attr = cupsFindDestDefault(http, &dest, info, "media");
    const char* name = attr != nullptr ? ippGetString(attr, 0, nullptr) : nullptr;
    return name != nullptr ? name : "";
}

void read_media(http_t* http, cups_dest_t& dest, cups_dinfo_t* info, int& width_hmm, int& length_hmm) {
    const std::string name = default_media_name(http, dest, info);
    cups_size_t size{};
    if (!name.empty() && cupsGetDestMediaByName(http, &dest, info, name.c_str(), CUPS_MEDIA_FLAGS_DEFAULT, &size) &&
        size.width > 0 && size.length > 0) {
        width_hmm = size.width;
        length_hmm = size.length;
    }
}

// The default resolution in dots per inch; 0 when the server names none a page can use.
long long read_resolution(http_t* http, cups_dest_t& dest, cups_dinfo_t* info) {
    ipp_attribute_t* attr = cupsFindDestDefault(http, &dest, info, "printer-resolution");
    if (attr == nullptr) return 0;
    int y_resolution = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const long long x_resolution = ippGetResolution(attr, 0, &y_resolution, &units);
    if (x_resolution <= 0) return 0;
    return units == IPP_RES_PER_CM ? (x_resolution * 254 + 50) / 100 : x_resolution;
}

// The page in pixels, if the server's numbers make one a PDF can hold.
bool set_page(Printer& printer, int width_hmm, int length_hmm, long long dpi) {
    if (dpi <= 0 || dpi > INT32_MAX) return false;
    const int width = hmm_to_pixels(width_hmm, static_cast<int>(dpi));
    const int height = hmm_to_pixels(length_hmm, static_cast<int>(dpi));
    if (!page_problem(width, height, dpi).empty()) return false;
    printer.dpi = static_cast<int>(dpi);
    printer.page_width = width;
    printer.page_height = height;
    return true;
}

Printer describe(http_t* http, cups_dest_t& dest) {
    Printer printer;
    printer.name = dest.name;
    printer.kind = PrinterKind::Cups;
    printer.raster_caps = printer_raster_caps;
    int width_hmm = a4_width_hmm, length_hmm = a4_length_hmm;
    long long dpi = default_dpi;
    if (cups_dinfo_t* info = cupsCopyDestInfo(http, &dest)) {
        read_media(http, dest, info, width_hmm, length_hmm);
        if (const long long named = read_resolution(http, dest, info); named > 0) dpi = named;
        cupsFreeDestInfo(info);
    }
    if (set_page(printer, width_hmm, length_hmm, dpi) || set_page(printer, width_hmm, length_hmm, default_dpi))
        return printer;
    set_page(printer, a4_width_hmm, a4_length_hmm, default_dpi);
    return printer;
}

std::vector<Printer> list_printers(http_t* http) {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(http, &dests);
    std::vector<Printer> printers;
    for (int i = 0; i < count; ++i) {
        // Instances ("queue/instance") are the same printer with other options: offer the queue.
        if (dests[i].instance != nullptr) continue;
        Printer printer = describe(http, dests[i]);
        if (dests[i].is_default)
            printers.insert(printers.begin(), printer);
        else
            printers.push_back(printer);
    }
    cupsFreeDests(count, dests);
    return printers;
}

}  // namespace

std::vector<Printer> cups_printers() {
    const std::string server = server_name();
    std::string error;
    Connection connection(listing_deadline);
    // No server at all is a machine without printers: the PDF printer remains, nothing to say.
    if (!connect_server(connection, server, error)) return {};
    std::vector<Printer> printers;
    if (!within_deadline(connection, [&] { printers = list_printers(connection.http); })) {
        std::fprintf(stderr, "zorgraphics: print server %s does not answer; its printers are not listed\n",
                     server.c_str());
        printers.clear();
    }
    return printers;
}

int submit_to_cups(const std::string& destination, const std::string& pdf_path, const std::string& title,
                   std::string& error) {
    const std::string server = server_name();
    Connection connection(submission_deadline);
    if (!connect_server(connection, server, error)) return 0;
    int job = 0;
    const std::string name = title.substr(0, max_title);
    const bool in_time = within_deadline(connection, [&] {
        cups_option_t* options = nullptr;
        const int count = cupsAddOption("document-format", "application/pdf", 0, &options);
        job = cupsPrintFile2(connection.http, destination.c_str(), pdf_path.c_str(), name.c_str(), count, options);
        cupsFreeOptions(count, options);
        if (job <= 0) error = cupsLastErrorString();
    });
    if (!in_time) error = "print server " + server + " does not answer";
    return in_time ? job : 0;
}

}  // namespace zg::print
