// SPDX-License-Identifier: MIT
// Writes lunacal/solar_term_table.cpp: the moments (UTC+8, to the second) of the 24 solar terms of
// every year 1880..2079, the instants at which the Sun's apparent geocentric ecliptic longitude of
// date reaches 285 + 15 * (term - 1) degrees.
//
// Usage: solar_term_generator DELTA_T_CSV NUTATION_CSV OUTPUT_CPP
//
// The model, which the committed table depends on to a tenth of a second:
//   - apparent direction of the Sun (light time, annual aberration) in ICRS axes from the Swiss
//     Ephemeris files in /usr/share/libswe/ephe;
//   - to the true equator and equinox of date by IAU 1976 precession (ERFA) and IAU 1980 nutation
//     (the 63-term series in data/), with no frame bias;
//   - the crossing found in TT (TDB taken as TT) by secant iteration, converted to UT with the
//     Delta T model of delta_t() and to civil time at UTC+8, rounded half up to the second.
//
// Licence: the Swiss Ephemeris is AGPL-3.0 (or commercial). Only this generator links it; it is an
// optional build target that is never installed or shipped, and the library carries nothing but
// the generated data.

#include <erfa.h>
#include <swephexp.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <numbers>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int kFirstYear = 1880;
constexpr int kLastYear = 2079;
constexpr int kTermsPerYear = 24;
constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;
constexpr double kSecondsPerDay = 86400.0;
// Civil time of the table is Beijing time.
constexpr double kUtcOffsetSeconds = 8 * 3600.0;
constexpr double kDegree = std::numbers::pi / 180.0;
// One unit of the nutation series, 0.0001 arcsecond, in radians.
constexpr double kNutationUnit = 1e-4 / 3600.0 * kDegree;
constexpr const char* kEphemerisPath = "/usr/share/libswe/ephe";

// A Julian date split into a midnight (x.5) and the fraction of days from it, so that the
// fraction keeps its full precision whatever the size of the date.
struct JulianDate {
  double midnight = 0.0;
  double fraction = 0.0;
  double whole() const { return midnight + fraction; }
};

// The same instant with the fraction moved to the nearest value that midnight + fraction can
// represent, so that the ephemeris, which takes one double, sees exactly the instant the root
// finder reasons about.
JulianDate representable(JulianDate jd) {
  jd.fraction = jd.whole() - jd.midnight;
  return jd;
}

struct NutationTerm {
  std::array<double, 5> multipliers{};  // D, M, M', F, Omega
  double psi_sin = 0.0;
  double psi_sin_t = 0.0;
  double eps_cos = 0.0;
  double eps_cos_t = 0.0;
};

struct DeltaTRow {
  int year = 0;
  double seconds = 0.0;
};

struct Record {
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

std::vector<std::vector<double>> read_csv(const std::string& path, std::size_t columns) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<std::vector<double>> rows;
  std::string line;
  bool header_seen = false;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (!header_seen) {
      header_seen = true;
      continue;
    }
    std::vector<double> row;
    std::stringstream cells(line);
    std::string cell;
    while (std::getline(cells, cell, ',')) row.push_back(std::stod(cell));
    if (row.size() != columns) throw std::runtime_error("bad row in " + path + ": " + line);
    rows.push_back(row);
  }
  return rows;
}

class Model {
 public:
  Model(const std::string& delta_t_csv, const std::string& nutation_csv) {
    for (const auto& r : read_csv(delta_t_csv, 2)) {
      delta_t_rows_.push_back({static_cast<int>(r[0]), r[1]});
    }
    for (std::size_t i = 1; i < delta_t_rows_.size(); ++i) {
      if (delta_t_rows_[i].year != delta_t_rows_[i - 1].year + 1) {
        throw std::runtime_error("Delta T table is not one row per year");
      }
    }
    for (const auto& r : read_csv(nutation_csv, 9)) {
      nutation_.push_back({{r[0], r[1], r[2], r[3], r[4]}, r[5], r[6], r[7], r[8]});
    }
    if (nutation_.size() != 63) throw std::runtime_error("expected the 63-term nutation series");
    switch_year_ = find_switch_year();
  }

  double switch_year() const { return switch_year_; }

  // Apparent ecliptic longitude of date of the Sun, radians in [0, 2 pi), at a TT instant.
  double sun_longitude(const JulianDate& tt) const {
    std::array<double, 6> xx{};
    std::array<char, 256> error{};
    const int32 flags =
        SEFLG_SWIEPH | SEFLG_J2000 | SEFLG_NONUT | SEFLG_EQUATORIAL | SEFLG_XYZ | SEFLG_ICRS;
    const int32 got = swe_calc(tt.whole(), SE_SUN, flags, xx.data(), error.data());
    // Without its files the ephemeris silently falls back to a coarser theory.
    if (got < 0 || (got & SEFLG_SWIEPH) == 0) {
      throw std::runtime_error(std::string("Swiss Ephemeris files not used: ") + error.data());
    }
    const double norm = std::sqrt(xx[0] * xx[0] + xx[1] * xx[1] + xx[2] * xx[2]);
    double icrs[3] = {xx[0] / norm, xx[1] / norm, xx[2] / norm};

    double precession[3][3];
    eraPmat76(tt.midnight, tt.fraction, precession);
    const double epsa = eraObl80(tt.midnight, tt.fraction);
    double dpsi = 0.0;
    double deps = 0.0;
    nutation(tt, dpsi, deps);
    double nutation_matrix[3][3];
    eraNumat(epsa, dpsi, deps, nutation_matrix);
    double np[3][3];
    eraRxr(nutation_matrix, precession, np);
    double of_date[3];
    eraRxp(np, icrs, of_date);

    const double eps = epsa + deps;
    const double lambda =
        std::atan2(of_date[1] * std::cos(eps) + of_date[2] * std::sin(eps), of_date[0]);
    return lambda < 0.0 ? lambda + 2.0 * std::numbers::pi : lambda;
  }

  // Delta T = TT - UT in seconds at a UT instant.
  double delta_t(const JulianDate& ut) const {
    const double y = decimal_year(ut);
    return y < switch_year_ ? delta_t_table(y) : delta_t_formula(y);
  }

 private:
  void nutation(const JulianDate& tt, double& dpsi, double& deps) const {
    const double t = ((tt.midnight - kJ2000) + tt.fraction) / kDaysPerCentury;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const std::array<double, 5> args = {
        (297.85036 + 445267.111480 * t - 0.0019142 * t2 + t3 / 189474.0) * kDegree,
        (357.52772 + 35999.050340 * t - 0.0001603 * t2 - t3 / 300000.0) * kDegree,
        (134.96298 + 477198.867398 * t + 0.0086972 * t2 + t3 / 56250.0) * kDegree,
        (93.27191 + 483202.017538 * t - 0.0036825 * t2 + t3 / 327270.0) * kDegree,
        (125.04452 - 1934.136261 * t + 0.0020708 * t2 + t3 / 450000.0) * kDegree,
    };
    double psi = 0.0;
    double eps = 0.0;
    for (const NutationTerm& term : nutation_) {
      double arg = 0.0;
      for (std::size_t i = 0; i < args.size(); ++i) arg += term.multipliers[i] * args[i];
      psi += (term.psi_sin + term.psi_sin_t * t) * std::sin(arg);
      eps += (term.eps_cos + term.eps_cos_t * t) * std::cos(arg);
    }
    dpsi = psi * kNutationUnit;
    deps = eps * kNutationUnit;
  }

  // The calendar year plus the fraction of it elapsed since 1 January 0h.
  static double decimal_year(const JulianDate& jd) {
    int year = 0;
    int month = 0;
    int day = 0;
    double day_fraction = 0.0;
    if (eraJd2cal(jd.midnight, jd.fraction, &year, &month, &day, &day_fraction) != 0) {
      throw std::runtime_error("date outside the calendar");
    }
    double mjd0 = 0.0;
    double start = 0.0;
    double next = 0.0;
    eraCal2jd(year, 1, 1, &mjd0, &start);
    eraCal2jd(year + 1, 1, 1, &mjd0, &next);
    const double elapsed = (jd.midnight - mjd0 - start) + jd.fraction;
    return year + elapsed / (next - start);
  }

  // Four-point Lagrange interpolation through the years floor(y) - 1 .. floor(y) + 2.
  double delta_t_table(double y) const {
    const int base = static_cast<int>(std::floor(y));
    const long first = static_cast<long>(base) - 1 - delta_t_rows_.front().year;
    if (first < 0 || first + 4 > static_cast<long>(delta_t_rows_.size())) {
      throw std::runtime_error("Delta T table does not cover " + std::to_string(y));
    }
    const auto f = [&](long k) { return delta_t_rows_[static_cast<std::size_t>(first + k)].seconds; };
    const double x = y - base;
    return f(0) * x * (x - 1) * (x - 2) / -6.0 + f(1) * (x + 1) * (x - 1) * (x - 2) / 2.0 +
           f(2) * (x + 1) * x * (x - 2) / -2.0 + f(3) * (x + 1) * x * (x - 1) / 6.0;
  }

  // A long-term parabola in the centuries from 2000 with a linear term and an offset that make it
  // meet the observed values near 2008.6, so the table and the formula join without a jump.
  static double delta_t_formula(double y) {
    const double t = (y - 2000.0) / 100.0;
    return 102.0 + 102.0 * t + 25.3 * t * t + 0.37 * (y - 2100.0) - 11.5;
  }

  double find_switch_year() const {
    double lo = 2005.0;
    double hi = 2012.0;
    const auto gap = [&](double y) { return delta_t_table(y) - delta_t_formula(y); };
    if ((gap(lo) > 0.0) == (gap(hi) > 0.0)) {
      throw std::runtime_error("Delta T table and formula do not meet in 2005..2012");
    }
    const bool lo_positive = gap(lo) > 0.0;
    for (int i = 0; i < 200 && hi - lo > 1e-12; ++i) {
      const double mid = 0.5 * (lo + hi);
      ((gap(mid) > 0.0) == lo_positive ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
  }

  std::vector<DeltaTRow> delta_t_rows_;
  std::vector<NutationTerm> nutation_;
  double switch_year_ = 0.0;
};

// The signed angle a - b reduced to (-pi, pi].
double angle_difference(double a, double b) {
  double d = std::fmod(a - b, 2.0 * std::numbers::pi);
  if (d > std::numbers::pi) d -= 2.0 * std::numbers::pi;
  if (d <= -std::numbers::pi) d += 2.0 * std::numbers::pi;
  return d;
}

// The TT instant at which the Sun's longitude reaches `target` near the starting guess.
JulianDate find_crossing(const Model& model, JulianDate guess, double target) {
  JulianDate x0 = representable(guess);
  JulianDate x1 = representable({guess.midnight, guess.fraction + 1.0});
  double f0 = angle_difference(model.sun_longitude(x0), target);
  double f1 = angle_difference(model.sun_longitude(x1), target);
  for (int i = 0; i < 50; ++i) {
    // Equal values mean the two instants are one representable date apart: nothing finer exists.
    if (f1 == f0) return x1;
    const double step = -f1 * (x1.fraction - x0.fraction) / (f1 - f0);
    x0 = x1;
    f0 = f1;
    x1 = representable({x1.midnight, x1.fraction + step});
    if (std::fabs(step) < 1e-10) return x1;
    f1 = angle_difference(model.sun_longitude(x1), target);
  }
  throw std::runtime_error("solar term crossing did not converge");
}

Record term_record(const Model& model, int year, int term) {
  const double target = std::fmod(285.0 + 15.0 * (term - 1), 360.0) * kDegree;
  double mjd0 = 0.0;
  double mjd = 0.0;
  eraCal2jd(year, 1, 1, &mjd0, &mjd);
  // Term 1 falls near 6 January and the terms follow about 15.2 days apart.
  const JulianDate guess{mjd0 + mjd, 5.0 + (term - 1) * 365.2422 / kTermsPerYear};
  const JulianDate tt = find_crossing(model, guess, target);

  const double delta_at_tt = model.delta_t(tt);
  const JulianDate ut_estimate{tt.midnight, tt.fraction - delta_at_tt / kSecondsPerDay};
  const double delta_t = model.delta_t(ut_estimate);

  const double civil_seconds =
      tt.fraction * kSecondsPerDay - delta_t + kUtcOffsetSeconds;
  const double rounded = std::floor(civil_seconds + 0.5);
  const double day_shift = std::floor(rounded / kSecondsPerDay);
  const int second_of_day = static_cast<int>(rounded - day_shift * kSecondsPerDay);

  int y = 0;
  Record r;
  double day_fraction = 0.0;
  if (eraJd2cal(tt.midnight + day_shift, 0.0, &y, &r.month, &r.day, &day_fraction) != 0 ||
      y != year) {
    throw std::runtime_error("term " + std::to_string(term) + " of " + std::to_string(year) +
                             " falls outside its year");
  }
  r.hour = second_of_day / 3600;
  r.minute = second_of_day / 60 % 60;
  r.second = second_of_day % 60;
  return r;
}

void write_table(const Model& model, const std::string& path) {
  std::ostringstream out;
  out << "// Generated by tools/solar_term_generator.cpp (regenerate_solar_term_table); do not edit.\n"
         "// SPDX-License-Identifier: MIT\n"
         "// Each record: month, day, hour, minute, second of the term's moment at UTC+8.\n"
         "#include \"lunacal/solar_term_table.h\"\n"
         "\n"
         "namespace lunacal {\n"
         "namespace {\n"
         "\n"
         "constexpr auto kRecords = std::to_array<uint8_t>({\n";
  for (int year = kFirstYear; year <= kLastYear; ++year) {
    out << "    // " << year << "\n";
    for (int term = 1; term <= kTermsPerYear; ++term) {
      const Record r = term_record(model, year, term);
      std::array<char, 64> line{};
      std::snprintf(line.data(), line.size(), "%s%d, %d, %d, %d, %d,", term % 6 == 1 ? "    " : " ",
                    r.month, r.day, r.hour, r.minute, r.second);
      out << line.data();
      if (term % 6 == 0) out << "\n";
    }
  }
  out << "});\n"
         "static_assert(kRecords.size() == 24000, \"200 years of 24 five-byte records\");\n"
         "\n"
         "}  // namespace\n"
         "\n"
         "const std::array<uint8_t, 24000> SolarTermTable = kRecords;\n"
         "\n"
         "}  // namespace lunacal\n";
  std::ofstream file(path, std::ios::binary);
  file << out.str();
  if (!file.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: solar_term_generator DELTA_T_CSV NUTATION_CSV OUTPUT_CPP\n";
    return 2;
  }
  try {
    swe_set_ephe_path(const_cast<char*>(kEphemerisPath));
    const Model model(argv[1], argv[2]);
    write_table(model, argv[3]);
    swe_close();
  } catch (const std::exception& e) {
    swe_close();
    std::cerr << "solar_term_generator: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
