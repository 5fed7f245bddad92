// tonegen: writes a sine tone, or a list of literal samples, as headerless
// 16-bit signed little-endian PCM, for fixtures, examples and benchmarks.
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: tonegen [options]\n"
    "Writes a sine tone as headerless 16-bit signed little-endian PCM.\n"
    "\n"
    "  --samples N        tone samples to write after the lead-in (default 48000)\n"
    "  --period P         period in samples, fractional allowed (default 48)\n"
    "  --frequency HZ     tone frequency; with --rate, instead of --period\n"
    "  --rate HZ          sample rate for --frequency (default 48000)\n"
    "  --amplitude DBFS   peak level relative to full scale 32768 (default -6)\n"
    "  --phase DEG        start phase in degrees (default 0)\n"
    "  --gain DB          extra gain applied to the tone (default 0)\n"
    "  --noise DBFS       add white Gaussian noise of this RMS level\n"
    "  --seed N           seed of the noise (default 1)\n"
    "  --lead N           samples of silence before the tone (default 0)\n"
    "  --glitch POS[=V]   set the sample at file position POS (0-based, lead-in\n"
    "                     included) to V; without V, to the full-scale value of\n"
    "                     the opposite sign; may be repeated\n"
    "  --values V,V,...   write exactly these samples instead of a tone\n"
    "  --odd-byte         append one lone byte (0x00) after the last sample\n"
    "  -o, --output FILE  write to FILE instead of standard output\n"
    "  --help             print this text\n"
    "  --version          print the version\n"
    "\n"
    "Values are rounded to nearest and clipped to -32768..32767.\n";

struct Glitch {
  std::int64_t position;
  bool hasValue;
  long value;
};

struct Options {
  std::int64_t samples = 48000;
  double period = 48.0;
  double frequency = 0.0;
  double rate = 48000.0;
  double amplitudeDbfs = -6.0;
  double phaseDegrees = 0.0;
  double gainDb = 0.0;
  bool noise = false;
  double noiseDbfs = 0.0;
  std::uint64_t seed = 1;
  std::int64_t lead = 0;
  std::vector<Glitch> glitches;
  bool literal = false;
  std::vector<long> values;
  bool oddByte = false;
  const char* output = nullptr;
};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "tonegen: %s\n", message.c_str());
  std::exit(2);
}

double ParseDouble(const char* option, const char* text) {
  char* end = nullptr;
  errno = 0;
  double value = std::strtod(text, &end);
  if (end == text || *end != '\0' || errno != 0 || !std::isfinite(value)) {
    Fail(std::string("bad number for ") + option + ": '" + text + "'");
  }
  return value;
}

long long ParseInteger(const char* option, const char* text, const char** rest = nullptr) {
  char* end = nullptr;
  errno = 0;
  long long value = std::strtoll(text, &end, 10);
  if (end == text || errno != 0 || (rest == nullptr && *end != '\0')) {
    Fail(std::string("bad whole number for ") + option + ": '" + text + "'");
  }
  if (rest != nullptr) *rest = end;
  return value;
}

std::int64_t ParseCount(const char* option, const char* text) {
  long long value = ParseInteger(option, text);
  if (value < 0) Fail(std::string(option) + " must not be negative");
  return value;
}

Glitch ParseGlitch(const char* text) {
  const char* rest = nullptr;
  Glitch glitch{ParseInteger("--glitch", text, &rest), false, 0};
  if (glitch.position < 0) Fail("--glitch position must not be negative");
  if (*rest == '=') {
    glitch.hasValue = true;
    glitch.value = static_cast<long>(ParseInteger("--glitch", rest + 1));
  } else if (*rest != '\0') {
    Fail(std::string("bad --glitch: '") + text + "'");
  }
  return glitch;
}

std::vector<long> ParseValues(const char* text) {
  std::vector<long> values;
  const char* p = text;
  while (*p != '\0') {
    const char* rest = nullptr;
    values.push_back(static_cast<long>(ParseInteger("--values", p, &rest)));
    if (*rest == ',') {
      ++rest;
    } else if (*rest != '\0') {
      Fail(std::string("bad --values: '") + text + "'");
    }
    p = rest;
  }
  return values;
}

Options ParseOptions(int argc, char** argv) {
  Options o;
  bool periodGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string name = argv[i];
    if (name == "--help") {
      std::fputs(kUsage, stdout);
      std::exit(0);
    }
    if (name == "--version") {
      std::printf("tonegen %s\n", TONALIGN_VERSION);
      std::exit(0);
    }
    if (name == "--odd-byte") {
      o.oddByte = true;
      continue;
    }
    if (i + 1 >= argc) Fail("unknown option or missing value: '" + name + "'");
    const char* value = argv[++i];
    if (name == "--samples") {
      o.samples = ParseCount("--samples", value);
    } else if (name == "--period") {
      o.period = ParseDouble("--period", value);
      periodGiven = true;
      if (!(o.period > 0.0)) Fail("--period must be above 0");
    } else if (name == "--frequency") {
      o.frequency = ParseDouble("--frequency", value);
    } else if (name == "--rate") {
      o.rate = ParseDouble("--rate", value);
    } else if (name == "--amplitude") {
      o.amplitudeDbfs = ParseDouble("--amplitude", value);
    } else if (name == "--phase") {
      o.phaseDegrees = ParseDouble("--phase", value);
    } else if (name == "--gain") {
      o.gainDb = ParseDouble("--gain", value);
    } else if (name == "--noise") {
      o.noise = true;
      o.noiseDbfs = ParseDouble("--noise", value);
    } else if (name == "--seed") {
      o.seed = static_cast<std::uint64_t>(ParseInteger("--seed", value));
    } else if (name == "--lead") {
      o.lead = ParseCount("--lead", value);
    } else if (name == "--glitch") {
      o.glitches.push_back(ParseGlitch(value));
    } else if (name == "--values") {
      o.literal = true;
      o.values = ParseValues(value);
    } else if (name == "-o" || name == "--output") {
      o.output = value;
    } else {
      Fail("unknown option: '" + name + "'");
    }
  }
  if (o.frequency != 0.0) {
    if (periodGiven) Fail("give --period or --frequency, not both");
    if (!(o.frequency > 0.0) || !(o.rate > 0.0)) Fail("--frequency and --rate must be above 0");
    o.period = o.rate / o.frequency;
  }
  return o;
}

std::int16_t Clip(double value) {
  double rounded = std::nearbyint(value);
  if (!(rounded >= -32768.0)) return -32768;  // also catches NaN
  if (rounded > 32767.0) return 32767;
  return static_cast<std::int16_t>(rounded);
}

class Writer {
 public:
  explicit Writer(const char* path) {
    file_ = path == nullptr ? stdout : std::fopen(path, "wb");
    if (file_ == nullptr) Fail(std::string("cannot write '") + path + "': " + std::strerror(errno));
  }
  void Put(std::int16_t sample) {
    auto bits = static_cast<std::uint16_t>(sample);
    std::putc(bits & 0xFF, file_);
    std::putc(bits >> 8, file_);
  }
  void PutByte(unsigned char byte) { std::putc(byte, file_); }
  void Finish() {
    if (std::fflush(file_) != 0 || std::ferror(file_) != 0 ||
        (file_ != stdout && std::fclose(file_) != 0)) {
      Fail(std::string("write failed: ") + std::strerror(errno));
    }
  }

 private:
  std::FILE* file_;
};

double ToneSample(const Options& o, std::int64_t n, double amplitude) {
  if (n < o.lead) return 0.0;
  double phase = o.phaseDegrees * std::numbers::pi / 180.0;
  return amplitude *
         std::sin(2.0 * std::numbers::pi * static_cast<double>(n - o.lead) / o.period + phase);
}

const Glitch* FindGlitch(const Options& o, std::int64_t n) {
  for (const Glitch& g : o.glitches) {
    if (g.position == n) return &g;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  Options o = ParseOptions(argc, argv);
  Writer out(o.output);
  std::int64_t total = o.literal ? static_cast<std::int64_t>(o.values.size()) : o.lead + o.samples;
  double amplitude = 32768.0 * std::pow(10.0, (o.amplitudeDbfs + o.gainDb) / 20.0);
  double noiseRms = 32768.0 * std::pow(10.0, o.noiseDbfs / 20.0);
  std::mt19937_64 random(o.seed);
  std::normal_distribution<double> gauss(0.0, 1.0);
  for (std::int64_t n = 0; n < total; ++n) {
    double value = o.literal ? static_cast<double>(o.values[static_cast<std::size_t>(n)])
                             : ToneSample(o, n, amplitude);
    if (o.noise && !o.literal) value += noiseRms * gauss(random);
    std::int16_t sample = Clip(value);
    if (const Glitch* g = FindGlitch(o, n)) {
      sample = g->hasValue ? Clip(static_cast<double>(g->value)) : (sample > 0 ? -32768 : 32767);
    }
    out.Put(sample);
  }
  if (o.oddByte) out.PutByte(0);
  out.Finish();
  return 0;
}
