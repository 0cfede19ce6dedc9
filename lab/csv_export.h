// The run as a CSV file for a spreadsheet: one header line of names with their units, then one
// line a row, streamed to the file as the run goes (nothing is kept in memory, so a run of hours
// costs no more memory than a minute's). Numbers are written with 10 significant digits; a
// readout that does not exist at that moment (no nutation for a resting top) is an empty field.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

enum class CsvRows { EVERY_STEP, EVERY_FRAME };

struct CsvRow {
    double time = 0;                                               // s
    double theta = 0, phi = 0, psi = 0;                            // deg; phi and psi unwrapped
    double thetaRate = 0, phiRate = 0, psiRate = 0;                // rad/s
    double spin = 0;                                               // omega3, rad/s
    double kinetic = 0, potential = 0, total = 0, dissipated = 0;  // J
    std::optional<double> measuredPrecession, slowPrecession;      // rad/s
    double fastTopPrecession = 0, sleepingThreshold = 0;           // rad/s
    std::optional<double> theta1, theta2, period;                  // deg, deg, s
    const char* shape = "";                                        // trace shape, or empty
    double energyDrift = 0;                                        // (E + dissipated - E0) / M
};

// The header line (without its end of line) and one row in the same column order.
std::string CsvHeader();
std::string CsvLine(const CsvRow& row);
int CsvColumnCount();

class CsvExport {
public:
    CsvExport() = default;
    CsvExport(const CsvExport&) = delete;
    CsvExport& operator=(const CsvExport&) = delete;
    ~CsvExport() { Close(); }

    // Creates the file and writes the header; false (and nothing open) when it cannot.
    bool Open(const std::string& path, CsvRows rows);
    void Write(const CsvRow& row);
    // Closes the file; false when a write failed on the way (a full disk, say).
    bool Close();

    bool IsOpen() const { return m_file != nullptr; }
    CsvRows Rows() const { return m_rows; }
    long RowCount() const { return m_count; }
    const std::string& Path() const { return m_path; }

private:
    std::FILE* m_file = nullptr;
    std::string m_path;
    CsvRows m_rows = CsvRows::EVERY_STEP;
    long m_count = 0;
    bool m_failed = false;
};

// The first name "<stem>_NNN<extension>" (NNN from 001) that no file in the current directory has,
// as an absolute path.
std::string NextFreeFileName(const std::string& stem, const std::string& extension);
