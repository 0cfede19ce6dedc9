#include "lab/csv_export.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr const char* COLUMNS[] = {"t (s)",
                                   "theta (deg)",
                                   "phi (deg)",
                                   "psi (deg)",
                                   "theta' (rad/s)",
                                   "phi' (rad/s)",
                                   "psi' (rad/s)",
                                   "omega3 (rad/s)",
                                   "kinetic (J)",
                                   "potential (J)",
                                   "total (J)",
                                   "dissipated (J)",
                                   "Omega measured (rad/s)",
                                   "Omega slow root (rad/s)",
                                   "M/L3 (rad/s)",
                                   "omega_c (rad/s)",
                                   "theta1 (deg)",
                                   "theta2 (deg)",
                                   "T (s)",
                                   "trace shape",
                                   "energy drift (M)"};

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string Maybe(const std::optional<double>& value) { return value ? Number(*value) : std::string(); }

}  // namespace

int CsvColumnCount() { return static_cast<int>(std::size(COLUMNS)); }

std::string CsvHeader() {
    std::string line;
    for (const char* name : COLUMNS) {
        if (!line.empty()) line += ',';
        line += name;
    }
    return line;
}

std::string CsvLine(const CsvRow& r) {
    const std::string fields[] = {Number(r.time),
                                  Number(r.theta),
                                  Number(r.phi),
                                  Number(r.psi),
                                  Number(r.thetaRate),
                                  Number(r.phiRate),
                                  Number(r.psiRate),
                                  Number(r.spin),
                                  Number(r.kinetic),
                                  Number(r.potential),
                                  Number(r.total),
                                  Number(r.dissipated),
                                  Maybe(r.measuredPrecession),
                                  Maybe(r.slowPrecession),
                                  Number(r.fastTopPrecession),
                                  Number(r.sleepingThreshold),
                                  Maybe(r.theta1),
                                  Maybe(r.theta2),
                                  Maybe(r.period),
                                  r.shape,
                                  Number(r.energyDrift)};
    static_assert(std::size(fields) == std::size(COLUMNS));
    std::string line;
    for (const std::string& field : fields) line += (&field == fields ? "" : ",") + field;
    return line;
}

bool CsvExport::Open(const std::string& path, CsvRows rows) {
    Close();
    m_file = std::fopen(path.c_str(), "w");
    if (m_file == nullptr) return false;
    m_path = path, m_rows = rows, m_count = 0, m_failed = false;
    m_failed = std::fprintf(m_file, "%s\n", CsvHeader().c_str()) < 0;
    return true;
}

void CsvExport::Write(const CsvRow& row) {
    if (m_file == nullptr) return;
    if (std::fprintf(m_file, "%s\n", CsvLine(row).c_str()) < 0) m_failed = true;
    ++m_count;
}

bool CsvExport::Close() {
    if (m_file == nullptr) return !m_failed;
    if (std::fclose(m_file) != 0) m_failed = true;
    m_file = nullptr;
    return !m_failed;
}

std::string NextFreeFileName(const std::string& stem, const std::string& extension) {
    for (int n = 1; n < 100000; ++n) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, "_%03d", n);
        const std::filesystem::path path = std::filesystem::absolute(stem + suffix + extension);
        std::error_code error;
        if (!std::filesystem::exists(path, error) && !error) return path.string();
    }
    return std::filesystem::absolute(stem + extension).string();
}
