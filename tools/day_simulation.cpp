#include "tools/day_simulation.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <random>
#include <span>
#include <utility>

namespace calorix::loggen {
namespace {

constexpr int kMinutesPerDay = 1440;
constexpr double kPi = std::numbers::pi;
constexpr double kWaterHeat = 4.19;  // kJ per litre and kelvin
constexpr double kRoom = 19.0;       // boiler room holding tank, pipes and boiler
constexpr double kColdWater = 11.0;
constexpr double kTankHalfLitres = 300.0;  // the tank as a bottom and a top half
constexpr double kTankLoss = 1.0 / 5760;   // per minute: a four-day time constant
constexpr double kDrawLitresPerMinute = 8.0;
constexpr double kHeaterKw = 9.0;
constexpr double kPumpOnDiff = 7.0;  // K collector over tank bottom
constexpr double kPumpOffDiff = 3.0;
constexpr double kMinPumpLevel = 0.3;
constexpr int kWarmUpDays = 2;
constexpr double kTankFull = 80.0;       // solar charging stops here...
constexpr double kTankFullReset = 76.0;  // ...and resumes below this
constexpr double kCollectorCoolingOn = 95.0;
constexpr double kCollectorCoolingOff = 90.0;
constexpr double kHeaterOnBelow = 48.0;
constexpr double kHeaterOffAt = 55.0;

// Separate streams keep one aspect from shifting another: whether a minute
// goes missing must not change the weather.
enum class Stream : std::uint32_t { System = 1, Weather, Household, Faults, Noise };

// Draws by plain arithmetic on std::mt19937: the standard fixes the engine's
// output but not the distributions', and the files must not depend on the
// standard library they were made with.
class Random {
 public:
  Random(std::uint32_t seed, std::uint32_t key, Stream stream)
      : engine_(Mix(seed, key, static_cast<std::uint32_t>(stream))) {}

  double Uniform() { return static_cast<double>(engine_()) / 4294967296.0; }
  double Uniform(double low, double high) { return low + (high - low) * Uniform(); }
  int Integer(int low, int high) { return low + static_cast<int>(Uniform() * (high - low + 1)); }
  bool Chance(double probability) { return Uniform() < probability; }

 private:
  // SplitMix64's finaliser, so that neighbouring seeds and dates give
  // unrelated sequences.
  static std::uint32_t Mix(std::uint32_t seed, std::uint32_t key, std::uint32_t stream) {
    std::uint64_t z = ((std::uint64_t{seed} << 32) | key) + stream * 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
  }

  std::mt19937 engine_;
};

struct Span {
  int start = 0;
  int length = 0;
  bool Contains(int minute) const { return minute >= start && minute < start + length; }
};

bool AnyContains(const std::vector<Span>& spans, int minute) {
  return std::any_of(spans.begin(), spans.end(), [minute](const Span& span) { return span.Contains(minute); });
}

// A span placed at random between `earliest` and `latest`, on a share of days.
struct SpanRule {
  int earliest;
  int latest;
  int shortest;
  int longest;
  double chance;
};

constexpr SpanRule kHotWaterDraws[] = {
    {390, 450, 5, 15, 0.95},   // morning showers
    {720, 800, 1, 4, 0.7},     // kitchen at noon
    {1110, 1230, 5, 20, 0.9},  // evening bath or showers
};

constexpr SpanRule kCirculationRuns[] = {
    {355, 370, 15, 15, 0.6},
    {1080, 1100, 20, 20, 0.4},
};

// The auxiliary heater may top up the tank only in these windows.
constexpr Span kHeaterWindows[] = {{300, 150}, {990, 210}};

std::vector<Span> PlaceSpans(Random& random, std::span<const SpanRule> rules) {
  std::vector<Span> spans;
  for (const SpanRule& rule : rules) {
    const int start = random.Integer(rule.earliest, rule.latest);
    const int length = random.Integer(rule.shortest, rule.longest);
    if (random.Chance(rule.chance)) spans.push_back({start, length});
  }
  return spans;
}

std::uint32_t DateKey(CivilDate date) {
  return static_cast<std::uint32_t>(date.year * 10000 + date.month * 100 + date.day);
}

int DayOfYear(CivilDate date) {
  const DateTime day = TryEncodeDate(date.year, date.month, date.day).value_or(0);
  const DateTime first = TryEncodeDate(date.year, 1, 1).value_or(0);
  return static_cast<int>(day - first) + 1;
}

// 0 at the winter solstice, 1 at the summer solstice.
double Season(CivilDate date) { return 0.5 - 0.5 * std::cos(2 * kPi * (DayOfYear(date) + 10) / 365.25); }

double SunnyChance(double season) { return 0.35 + 0.35 * season; }

struct System {
  double nominalFlow;    // l/min at full pump level
  double collectorRise;  // K above ambient a still collector reaches in full summer sun
};

// Properties of the installation: the same for every day of one seed.
System MakeSystem(std::uint32_t seed) {
  Random random(seed, 0, Stream::System);
  const double flow = random.Uniform(9, 14);
  const double rise = random.Uniform(70, 85);
  return {flow, rise};
}

struct Cloud {
  double start;
  double length;
  double depth;  // share of the sun it takes away at its thickest
};

struct Weather {
  double season = 0;
  bool sunny = false;
  double sunrise = 0;  // minutes of the day
  double sunset = 0;
  double haze = 1;  // share of the clear-sky sun that gets through
  double low = 0;   // ambient at four in the morning
  double high = 0;  // ambient at four in the afternoon
  double previousHigh = 0;
  double nextLow = 0;
  std::vector<Cloud> clouds;
};

Cloud MakeCloud(Random& random, const Weather& weather) {
  const double length = weather.sunny ? random.Uniform(4, 20) : random.Uniform(10, 60);
  const double start = random.Uniform(weather.sunrise - length, weather.sunset);
  const double depth = weather.sunny ? random.Uniform(0.2, 0.6) : random.Uniform(0.3, 0.9);
  return {start, length, depth};
}

Weather MakeWeather(CivilDate date, std::uint32_t seed) {
  Weather w;
  w.season = Season(date);
  Random random(seed, DateKey(date), Stream::Weather);
  w.sunny = random.Chance(SunnyChance(w.season));
  const double dayLength = 60 * (8 + 8 * w.season);
  const double noon = 750 + 50 * w.season;  // on the clock, summer time shifts it
  w.sunrise = noon - dayLength / 2;
  w.sunset = noon + dayLength / 2;
  w.haze = w.sunny ? random.Uniform(0.9, 1.0) : random.Uniform(0.3, 0.65);
  w.low = 5 + 8 * w.season + random.Uniform(0, 2);
  w.high = w.low + (w.sunny ? 6 : 2) + random.Uniform(0, 4);
  const int clouds = w.sunny ? random.Integer(0, 3) : random.Integer(10, 25);
  for (int i = 0; i < clouds; ++i) w.clouds.push_back(MakeCloud(random, w));
  return w;
}

std::optional<CivilDate> ShiftDays(CivilDate date, int days) {
  const auto serial = TryEncodeDate(date.year, date.month, date.day);
  const DateTime shifted = serial.value_or(0) + days;
  if (!serial || shifted < *TryEncodeDate(1, 1, 1) || shifted > *TryEncodeDate(9999, 12, 31)) return std::nullopt;
  return DecodeDate(shifted);
}

// The neighbouring days' temperatures let the ambient curve run on across
// midnight.
Weather WeatherAround(CivilDate date, std::uint32_t seed) {
  Weather w = MakeWeather(date, seed);
  const auto before = ShiftDays(date, -1);
  const auto after = ShiftDays(date, 1);
  w.previousHigh = before ? MakeWeather(*before, seed).high : w.high;
  w.nextLow = after ? MakeWeather(*after, seed).low : w.low;
  return w;
}

double CloudDip(const Cloud& cloud, double minute) {
  const double x = (minute - cloud.start) / cloud.length;
  return (x <= 0 || x >= 1) ? 0 : cloud.depth * std::sin(kPi * x);
}

// Sun on the collector, 1 for a clear summer noon.
double Sun(const Weather& w, int minute) {
  if (minute <= w.sunrise || minute >= w.sunset) return 0;
  const double arc = std::sin(kPi * (minute - w.sunrise) / (w.sunset - w.sunrise));
  double sun = std::pow(arc, 1.5) * (0.55 + 0.45 * w.season) * w.haze;
  for (const Cloud& cloud : w.clouds) sun *= 1 - CloudDip(cloud, minute);
  return sun;
}

double Ease(double from, double to, double progress) {
  return from + (to - from) * (0.5 - 0.5 * std::cos(kPi * progress));
}

double Ambient(const Weather& w, int minute) {
  if (minute < 240) return Ease(w.previousHigh, w.low, (minute + 480) / 720.0);
  if (minute < 960) return Ease(w.low, w.high, (minute - 240) / 720.0);
  return Ease(w.high, w.nextLow, (minute - 960) / 720.0);
}

struct Household {
  std::vector<Span> draws;
  std::vector<Span> circulation;
};

Household MakeHousehold(CivilDate date, std::uint32_t seed) {
  Random random(seed, DateKey(date), Stream::Household);
  Household house;
  house.draws = PlaceSpans(random, kHotWaterDraws);
  house.circulation = PlaceSpans(random, kCirculationRuns);
  return house;
}

struct Faults {
  int column = -1;  // sensor that reads "Err" for a few minutes, or -1
  Span span;
  std::vector<int> missing;  // minutes the controller did not log
};

Faults MakeFaults(CivilDate date, std::uint32_t seed) {
  Random random(seed, DateKey(date), Stream::Faults);
  Faults faults;
  if (random.Chance(0.08)) {
    faults.column = random.Integer(kT4, kT6);
    faults.span = {random.Integer(0, 1420), random.Integer(2, 10)};
  }
  const int missing = random.Chance(0.35) ? random.Integer(1, 3) : 0;
  // Never the first or last minute: a day keeps its full time range.
  for (int i = 0; i < missing; ++i) faults.missing.push_back(random.Integer(1, kMinutesPerDay - 2));
  return faults;
}

struct Plant {
  double outdoor = 0;
  double collector = 0;
  double tankBottom = 0;
  double tankTop = 0;
  double supply = 0;  // solar flow pipe at the tank
  double ret = 0;     // solar return pipe leaving the tank
  double boiler = 0;
  double pumpLevel = 0;  // 0..1, 0 while off
  double flow = 0;       // l/min
  bool pumpOn = false;
  bool tankFull = false;
  bool heaterOn = false;
};

void Approach(double& value, double target, double rate) { value += rate * (target - value); }

// A rough guess for a plant at midnight; the warm-up days settle it.
Plant GuessPlant(CivilDate date) {
  Plant p;
  p.outdoor = 8 + 8 * Season(date);
  p.collector = p.outdoor;
  p.tankBottom = 25 + 15 * Season(date);
  p.tankTop = p.tankBottom + 8;
  p.supply = kRoom + 2;
  p.ret = kRoom + 2;
  p.boiler = kRoom + 3;
  return p;
}

void StepCollector(Plant& p, const System& system, double sun) {
  Approach(p.collector, p.outdoor + system.collectorRise * sun, 0.06);
  if (p.pumpOn) Approach(p.collector, p.tankBottom, 0.12 * p.pumpLevel);
}

// Two-point control with hysteresis. A full tank takes no more charge,
// except that a collector near boiling is cooled into it anyway.
bool PumpWanted(const Plant& p) {
  const double lead = p.collector - p.tankBottom;
  if (p.collector > kCollectorCoolingOn && lead > 0) return true;
  if (p.tankFull) return p.pumpOn && p.collector > kCollectorCoolingOff && lead > kPumpOffDiff;
  return p.pumpOn ? lead >= kPumpOffDiff : lead > kPumpOnDiff;
}

// The pump runs faster the more the collector leads, ramping rather than
// jumping.
void StepPump(Plant& p, const System& system) {
  if (p.tankBottom >= kTankFull) p.tankFull = true;
  if (p.tankBottom < kTankFullReset) p.tankFull = false;
  const bool wanted = PumpWanted(p);
  if (wanted != p.pumpOn) p.pumpLevel = wanted ? kMinPumpLevel : 0;
  p.pumpOn = wanted;
  if (p.pumpOn) {
    const double lead = p.collector - p.tankBottom;
    const double target = std::clamp(kMinPumpLevel + (lead - kPumpOnDiff) * 0.07, kMinPumpLevel, 1.0);
    p.pumpLevel += std::clamp(target - p.pumpLevel, -0.05, 0.05);
  }
  p.flow = p.pumpOn ? system.nominalFlow * p.pumpLevel : 0;
}

// Standing pipes drift to room temperature; flowing ones follow the water.
void StepPipes(Plant& p) {
  if (p.pumpOn) {
    Approach(p.supply, p.collector - 1.0, 0.5);
    Approach(p.ret, p.tankBottom + 1.5, 0.5);
  } else {
    Approach(p.supply, kRoom + 2, 0.03);
    Approach(p.ret, kRoom + 2, 0.02);
  }
}

double ThermalPowerKw(double flow, double supply, double ret) {
  return std::max(0.0, flow * (supply - ret) * kWaterHeat / 60);
}

void StepHeater(Plant& p, int minute) {
  const bool allowed = std::any_of(std::begin(kHeaterWindows), std::end(kHeaterWindows),
                                   [minute](const Span& w) { return w.Contains(minute); });
  if (!allowed || p.tankTop >= kHeaterOffAt)
    p.heaterOn = false;
  else if (p.tankTop < kHeaterOnBelow)
    p.heaterOn = true;
  Approach(p.boiler, p.heaterOn ? 72 : kRoom + 3, p.heaterOn ? 0.15 : 0.03);
}

// Hot water leaves at the top; the bottom refills with cold water and
// pushes its own water up.
void DrawHotWater(Plant& p) {
  const double share = kDrawLitresPerMinute / kTankHalfLitres;
  Approach(p.tankTop, p.tankBottom, share);
  Approach(p.tankBottom, kColdWater, share);
}

// Warm water rises: a bottom warmer than the top turns over at once, while
// a stratified tank only slowly conducts heat downwards.
void Stratify(Plant& p) {
  const double rate = p.tankBottom > p.tankTop ? 0.5 : 0.001;
  const double mean = (p.tankBottom + p.tankTop) / 2;
  Approach(p.tankBottom, mean, rate);
  Approach(p.tankTop, mean, rate);
}

void StepTank(Plant& p, bool drawing) {
  const double kjPerKelvin = kTankHalfLitres * kWaterHeat;
  p.tankBottom += ThermalPowerKw(p.flow, p.supply, p.ret) * 60 / kjPerKelvin;
  if (p.heaterOn) p.tankTop += kHeaterKw * 60 / kjPerKelvin;
  if (drawing) DrawHotWater(p);
  Stratify(p);
  Approach(p.tankBottom, kRoom, kTankLoss);
  Approach(p.tankTop, kRoom, kTankLoss);
}

double Round(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

constexpr std::pair<Column, double Plant::*> kSensors[] = {
    {kT1, &Plant::collector}, {kT2, &Plant::tankBottom}, {kT3, &Plant::tankTop}, {kT4, &Plant::ret},
    {kT5, &Plant::outdoor},   {kT6, &Plant::boiler},     {kTds, &Plant::supply},
};

// What the controller logs: sensors with a little jitter, and the thermal
// power from the logged flow and temperatures, as a heat meter does.
Reading Observe(const Plant& p, Random& noise) {
  Reading reading;
  auto& v = reading.values;
  for (const auto& [column, member] : kSensors) v[column] = Round(p.*member + noise.Uniform(-0.08, 0.08), 1);
  const double flowJitter = noise.Uniform(-0.04, 0.04);
  v[kFlow] = p.pumpOn ? Round(p.flow + flowJitter, 2) : 0;
  v[kPower] = p.pumpOn ? Round(ThermalPowerKw(v[kFlow], v[kTds], v[kT4]), 3) : 0;
  v[kR1] = std::round(p.pumpLevel * 100);
  v[kR2] = p.heaterOn ? 100 : 0;
  return reading;
}

// A sensor fault is drawn on some days but no longer written: generated
// days show faults only where they are injected (tools/injection.h). The
// draw stays so that the minutes that go missing stay the same.
void MarkEvents(Reading& reading, const Household& house) {
  reading.values[kR3] = AnyContains(house.circulation, reading.minute) ? 100 : 0;
  reading.values[kRError] = 0;
}

bool IsMissing(const Faults& faults, int minute) {
  return std::find(faults.missing.begin(), faults.missing.end(), minute) != faults.missing.end();
}

// Runs one day from the plant state at midnight; returns the state at the
// next midnight and appends the logged minutes to `readings` if given.
Plant RunDay(CivilDate date, std::uint32_t seed, const System& system, Plant plant, std::vector<Reading>* readings,
             bool everyMinute = false) {
  const Weather weather = WeatherAround(date, seed);
  const Household house = MakeHousehold(date, seed);
  const Faults faults = MakeFaults(date, seed);
  Random noise(seed, DateKey(date), Stream::Noise);
  for (int minute = 0; minute < kMinutesPerDay; ++minute) {
    plant.outdoor = Ambient(weather, minute);
    StepCollector(plant, system, Sun(weather, minute));
    StepPump(plant, system);
    StepPipes(plant);
    StepHeater(plant, minute);
    StepTank(plant, AnyContains(house.draws, minute));
    if (!readings) continue;
    // Observed even when not logged, so that a missing minute does not
    // shift the jitter of the minutes after it.
    Reading reading = Observe(plant, noise);
    reading.minute = minute;
    MarkEvents(reading, house);
    if (everyMinute || !IsMissing(faults, minute)) readings->push_back(reading);
  }
  return plant;
}

}  // namespace

// Each file stands alone, yet the tank should not jump at midnight: the
// days before are simulated first, unlogged, from a rough guess whose error
// the tank forgets within a few days.
std::vector<Reading> SimulateDay(CivilDate date, std::uint32_t seed, bool everyMinute) {
  const System system = MakeSystem(seed);
  if (!ShiftDays(date, 0)) return {};
  int warmUp = kWarmUpDays;
  while (warmUp > 0 && !ShiftDays(date, -warmUp)) --warmUp;
  Plant plant = GuessPlant(*ShiftDays(date, -warmUp));
  for (int back = warmUp; back > 0; --back) plant = RunDay(*ShiftDays(date, -back), seed, system, plant, nullptr);
  std::vector<Reading> readings;
  readings.reserve(kMinutesPerDay);
  RunDay(date, seed, system, plant, &readings, everyMinute);
  return readings;
}

}  // namespace calorix::loggen
