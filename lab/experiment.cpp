// The experiment: fourth-order splitting steps no longer than 1 ms and within the stability
// limits of StableStep; every substep adds one trace point, one plot sample and one azimuth to
// the precession meter.
#include "lab/experiment.h"

#include "lab/physics/floor.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double DEGREE = std::numbers::pi / 180;

LabControls PresetControls(int preset, double spin, double tilt, double nutation, double k, double c) {
    LabControls controls;
    controls.preset = preset;
    controls.spin = spin, controls.tilt = tilt, controls.nutation = nutation;
    controls.spinFriction = k, controls.pivotFriction = c;
    return controls;
}

}  // namespace

const Preset PRESETS[PRESET_COUNT] = {
    {"steady", PresetControls(0, 200, 60, 0, 0, 0)},        {"waves", PresetControls(1, 200, 60, 50, 0, 0)},
    {"cusps", PresetControls(2, 200, 60, 100, 0, 0)},       {"loops", PresetControls(3, 200, 60, 200, 0, 0)},
    {"sleeping top", PresetControls(4, 200, 1, 100, 0, 0)}, {"below threshold", PresetControls(5, 50, 1, 100, 0, 0)},
    {"spin friction", PresetControls(6, 200, 60, 0, 5, 0)}, {"pivot friction", PresetControls(7, 200, 60, 100, 0, 20)},
};

LabControls WithPreset(const LabControls& current, int preset) {
    LabControls next = PRESETS[std::clamp(preset, 0, PRESET_COUNT - 1)].controls;
    next.timeScale = current.timeScale;
    return next;
}

TopParameters ParametersOf(const LabControls& c) {
    TopParameters p;
    const double massScale = c.mass / 100;
    p.mass = c.mass / 1000;
    p.arm = c.arm / 100;
    p.axialInertia = 1e-4 * massScale;
    p.transverseInertia = 4e-5 * massScale + p.mass * p.arm * p.arm;
    p.spinFriction = c.spinFriction * 1e-6;
    p.pivotFriction = c.pivotFriction * 1e-6;
    return p;
}

TopState ReleaseOf(const LabControls& c, const TopParameters& p) {
    EulerMotion m;
    m.theta = c.tilt * DEGREE;
    m.spin = c.spin;
    if (const auto steady = SteadyPrecessionRates(p, m.theta, c.spin))
        m.phiRate = (1 - c.nutation / 100) * steady->slow;
    return FromEuler(p, m);
}

double LargestReleaseTilt(const TopParameters& p) {
    const std::optional<FloorContact> contact = FloorContactTilts(p);
    return contact ? contact->first : std::numbers::pi;
}

void Experiment::Restart(const LabControls& c) {
    m_parameters = ParametersOf(c);
    m_state = ReleaseOf(c, m_parameters);
    m_initial = Energy(m_parameters, m_state);
    m_resting = RimClearance(m_parameters, m_state) <= 0;
    m_trace.clear();
    m_samples.clear();
    m_history.Clear();
    m_meter.Clear();
    const EulerMotion m = ToEuler(m_parameters, m_state);
    m_phi = m.phi, m_psi = 0, m_psiRate = m.psiRate;
    Record();
}

void Experiment::SetFriction(const LabControls& c) {
    const TopParameters p = ParametersOf(c);
    m_parameters.spinFriction = p.spinFriction;
    m_parameters.pivotFriction = p.pivotFriction;
}

void Experiment::Advance(double seconds) {
    if (m_resting || !(seconds > 0) || !std::isfinite(seconds)) return;
    const double stable = StableStep(m_parameters, m_state, MAX_STEP).value_or(MAX_STEP);
    const long count = std::min(MAX_SUBSTEPS, static_cast<long>(std::ceil(seconds / stable)));
    m_lastStep = seconds / static_cast<double>(count);
    for (long i = 0; i < count && !m_resting; ++i) {
        StepTop(m_parameters, m_state, m_lastStep, Integrator::FOURTH_ORDER);
        m_resting = RimClearance(m_parameters, m_state) <= 0;
        Record();
    }
}

// phi from ToEuler jumps by 2 pi across the -y direction; the unwrapped angle does not. psi
// follows psi' by the trapezoid rule over the substep.
void Experiment::TrackAngles(const EulerMotion& m) {
    m_phi += std::remainder(m.phi - m_phi, 2 * std::numbers::pi);
    m_psi += 0.5 * m_lastStep * (m_psiRate + m.psiRate);
    m_psiRate = m.psiRate;
}

void Experiment::Record() {
    m_trace.push_back({m_state.axis, m_state.time});
    while (m_trace.size() > TRACE_CAPACITY || m_trace.front().time < m_state.time - TRACE_SPAN) m_trace.pop_front();
    const EulerMotion m = ToEuler(m_parameters, m_state);
    if (m_state.time > 0) TrackAngles(m);
    const TopEnergy e = Energy(m_parameters, m_state);
    const PlotSample sample{m_state.time,
                            m.theta,
                            m.phiRate,
                            m.spin,
                            e.kinetic - m_initial.kinetic,
                            e.potential - m_initial.potential,
                            e.Total() - m_initial.Total()};
    m_samples.push_back(sample);
    while (m_samples.front().time < m_state.time - PLOT_SPAN) m_samples.pop_front();
    m_history.Add(sample);
    m_meter.Add(m_state.time, m.phi, m.phiRate);
    if (m_csv != nullptr && m_csv->Rows() == CsvRows::EVERY_STEP) m_csv->Write(CsvRowNow());
}

CsvRow Experiment::CsvRowNow() const {
    const EulerMotion m = ToEuler(m_parameters, m_state);
    const TopEnergy e = Energy(m_parameters, m_state);
    const LabReadouts r = Readouts();
    CsvRow row;
    row.time = m_state.time;
    row.theta = m.theta / DEGREE, row.phi = m_phi / DEGREE, row.psi = m_psi / DEGREE;
    row.thetaRate = m.thetaRate, row.phiRate = m.phiRate, row.psiRate = m.psiRate, row.spin = m.spin;
    row.kinetic = e.kinetic, row.potential = e.potential, row.total = e.Total();
    row.dissipated = m_state.dissipated;
    row.measuredPrecession = r.measuredPrecession;
    if (r.steady) row.slowPrecession = r.steady->slow;
    row.fastTopPrecession = r.fastTopPrecession, row.sleepingThreshold = r.sleepingThreshold;
    if (r.nutation) {
        row.theta1 = r.nutation->theta1 / DEGREE, row.theta2 = r.nutation->theta2 / DEGREE;
        row.period = r.nutation->period, row.shape = TraceShapeName(r.nutation->shape);
    }
    row.energyDrift = r.energyDrift;
    return row;
}

LabReadouts Experiment::Readouts() const {
    LabReadouts r;
    const TopParameters& p = m_parameters;
    r.time = m_state.time;
    r.step = m_lastStep;
    r.spin = SpinRate(p, m_state);
    r.gravityTorque = p.GravityTorque();
    r.axialMomentum = p.axialInertia * r.spin;
    r.resting = m_resting;
    r.sleepingThreshold = SleepingThreshold(p);
    r.fastTopPrecession = FastTopPrecession(p, r.spin);
    r.energyDrift = (Energy(p, m_state).Total() + m_state.dissipated - m_initial.Total()) / p.GravityTorque();
    if (!m_resting) r.nutation = NutationOf(p, m_state);
    const double tilt = r.nutation ? (r.nutation->theta1 + r.nutation->theta2) / 2 : ToEuler(p, m_state).theta;
    r.steady = SteadyPrecessionRates(p, tilt, r.spin);
    double rate = 0;
    if (r.nutation && m_meter.MeanRate(r.nutation->period, rate)) r.measuredPrecession = rate;
    return r;
}
