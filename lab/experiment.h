// The program's model, apart from any drawing: the controls a person sets, the presets, and the
// running experiment (the top's parameters and state, the tip's trace from every substep, the
// last PLOT_SPAN seconds of every substep and the whole run in bounded buckets for the plots, the
// numbers the readouts show, and the rows of a CSV export).
//
// Changing spin, tilt, nutation, arm or mass starts the motion again from its release; the two
// frictions and the time scale act on the running motion. The top stops for good when the rim of
// its disk touches the table (see RimClearance); a release from a tilt at which the rim already
// touches it starts resting.
#pragma once

#include "lab/csv_export.h"
#include "lab/history.h"
#include "lab/physics/closed_forms.h"
#include "lab/physics/precession_meter.h"
#include "lab/physics/top.h"

#include <deque>
#include <optional>

struct LabControls {
    int preset = 2;            // index into PRESETS
    double spin = 200;         // w3 at release, rad/s
    double tilt = 60;          // theta at release, degrees
    double nutation = 100;     // per cent: phi'0 = (1 - n / 100) times the slow steady rate
    double arm = 4;            // cm
    double mass = 100;         // g
    double spinFriction = 0;   // k, micro N m s
    double pivotFriction = 0;  // c, micro N m s
    double timeScale = 100;    // per cent of real time
};

struct Preset {
    const char* name;
    LabControls controls;
};

inline constexpr int PRESET_COUNT = 8;
extern const Preset PRESETS[PRESET_COUNT];

// The controls with the preset's values; the time scale is the person's and stays.
LabControls WithPreset(const LabControls& current, int preset);

// The body keeps its shape when the mass changes: both inertias about the centre of mass scale
// with it (I3 = 1e-4, I1cm = 4e-5 kg m^2 at 100 g), and I1 about the pivot adds m l^2.
TopParameters ParametersOf(const LabControls& c);
// Released with theta' = 0 at the tilt, phi'0 from the nutation per cent; when no steady
// precession exists at that tilt and spin, phi'0 = 0 (a cusp start).
TopState ReleaseOf(const LabControls& c, const TopParameters& p);

// The largest tilt (rad) up to which the top can be released without its rim touching the
// table: the first tilt from upright where the rim meets it (FloorContactTilts); pi when it
// never does. (A top hanging below that contact could be released too, but not reached by the
// tilt control, which steps up from upright.)
double LargestReleaseTilt(const TopParameters& p);

struct TracePoint {
    Vector3 axis;
    double time = 0;  // s
};

struct LabReadouts {
    double time = 0, step = 0;
    std::optional<double> measuredPrecession;  // rad/s, mean over one nutation period
    std::optional<SteadyPrecession> steady;    // at the mean tilt
    double fastTopPrecession = 0;              // M / L3
    double spin = 0, sleepingThreshold = 0;
    double gravityTorque = 0, axialMomentum = 0;  // M = m g l (N m), L3 = I3 w3 (kg m^2/s)
    bool resting = false;
    std::optional<NutationBounds> nutation;
    double energyDrift = 0;  // (E + dissipated - E0) / M
};

class Experiment {
public:
    static constexpr double TRACE_SPAN = 20;      // s of trace kept, at most
    static constexpr int TRACE_CAPACITY = 40000;  // substeps of trace kept, at most
    static constexpr double PLOT_SPAN = 10.5;     // s kept at every substep: the 10 s window and a margin
    static constexpr double MAX_STEP = 1e-3;      // s
    static constexpr long MAX_SUBSTEPS = 20000;   // per Advance, so that no call runs away

    explicit Experiment(const LabControls& c) { Restart(c); }

    void Restart(const LabControls& c);
    // Applies the frictions to the running motion.
    void SetFriction(const LabControls& c);
    // Integrates `seconds` of simulated time in stable substeps, recording each one; does nothing
    // for a non-positive or non-finite time, or once the top rests.
    void Advance(double seconds);

    const TopParameters& Parameters() const { return m_parameters; }
    const TopState& State() const { return m_state; }
    bool Resting() const { return m_resting; }
    const std::deque<TracePoint>& Trace() const { return m_trace; }
    const std::deque<PlotSample>& Samples() const { return m_samples; }
    const RunHistory& History() const { return m_history; }
    LabReadouts Readouts() const;
    // The row of the CSV export at this moment.
    CsvRow CsvRowNow() const;
    // While a file is given (and open), every substep from now on writes its row to it when the
    // file takes every step; null stops.
    void SetStepRecorder(CsvExport* csv) { m_csv = csv; }

private:
    void Record();
    void TrackAngles(const EulerMotion& m);

    TopParameters m_parameters;
    TopState m_state;
    TopEnergy m_initial;
    double m_lastStep = MAX_STEP;
    bool m_resting = false;
    std::deque<TracePoint> m_trace;
    std::deque<PlotSample> m_samples;
    RunHistory m_history;
    double m_phi = 0, m_psi = 0;  // rad, unwrapped; psi integrated from psi'
    double m_psiRate = 0;         // at the last recorded substep
    CsvExport* m_csv = nullptr;
    PrecessionMeter m_meter{10};
};
