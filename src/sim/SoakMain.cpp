// quorvane-soak: plays the game at random on the simulator host, seed after
// seed, and writes every fault it finds as a quorvane-sim script.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "sim/Soak.h"
#include "sim/SoakCoverage.h"
#include "sim/SoakStarts.h"

namespace {

void Usage() {
    std::cout << "usage: quorvane-soak [options]\n"
                 "  --mode click|auto|both   a player clicking at random, auto mode left alone, or both (both)\n"
                 "  --seeds A-B|table        the seeds to play (1-10); table: one for each starting point\n"
                 "  --step N                 with --minutes: every Nth seed from A on (1)\n"
                 "  --minutes M              play seeds from A on until M minutes have passed\n"
                 "  --inputs N               inputs a run of the clicking mode plays (5000)\n"
                 "  --hours H                virtual hours a run of auto mode plays (40)\n"
                 "  --work DIR               the games' folders (/tmp/quorvane-soak)\n"
                 "  --out DIR                where the scripts of the findings go (soak-findings)\n"
                 "  --no-shorten             write a finding's script as it was played\n"
                 "  --shorten-seconds S      wall time the shortening of one finding may take (20)\n"
                 "  --keep                   write every run's script to the out folder too\n"
                 "  --start NAME|all|title   where each run starts: a starting point, each seed the next\n"
                 "                           of the table in turn, or the title (all)\n"
                 "  --starts                 list the starting points and what each sets rather than plays\n"
                 "  --road NAME              print the road to a starting point as a quorvane-sim script\n"
                 "Exits with 1 when anything was found.\n";
}

}  // namespace

int main(int argc, char** argv) {
    using namespace q::soak;
    std::vector<Mode> modes = {Mode::Click, Mode::Auto};
    long first = 1, last = 10, step = 1, inputs = 5000;
    double minutes = 0, hours = 40;
    std::string work = "/tmp/quorvane-soak", outDir = "soak-findings";
    bool shorten = true, keep = false;
    std::string startName = "all";
    double shortenSeconds = 20;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "quorvane-soak: " << a << " needs a value\n";
                std::exit(2);
            }
            return argv[++i];
        };
        try {
            if (a == "-h" || a == "--help") {
                Usage();
                return 0;
            } else if (a == "--mode") {
                const std::string m = value();
                if (m == "click") modes = {Mode::Click};
                else if (m == "auto") modes = {Mode::Auto};
                else if (m == "both") modes = {Mode::Click, Mode::Auto};
                else throw std::invalid_argument(m);
            } else if (a == "--seeds") {
                const std::string s = value();
                if (s == "table") {  // one seed for each starting point, in turn
                    first = 1;
                    last = long(StartPoints().size());
                    continue;
                }
                const auto dash = s.find('-');
                first = std::stol(s.substr(0, dash));
                last = dash == std::string::npos ? first : std::stol(s.substr(dash + 1));
            } else if (a == "--step") {
                step = std::max(1L, std::stol(value()));
            } else if (a == "--minutes") {
                minutes = std::stod(value());
            } else if (a == "--inputs") {
                inputs = std::stol(value());
            } else if (a == "--hours") {
                hours = std::stod(value());
            } else if (a == "--work") {
                work = value();
            } else if (a == "--out") {
                outDir = value();
            } else if (a == "--shorten-seconds") {
                shortenSeconds = std::stod(value());
            } else if (a == "--keep") {
                keep = true;
            } else if (a == "--start") {
                startName = value();
                if (startName != "all" && startName != "title" && !FindStart(startName)) throw std::invalid_argument(startName);
            } else if (a == "--starts") {
                for (const auto& st : StartPoints())
                    std::cout << st.name << (st.note.empty() ? "" : "  (set: " + st.note + ")") << "\n";
                return 0;
            } else if (a == "--road") {
                const StartPoint* st = FindStart(value());
                if (!st) throw std::invalid_argument(a);
                std::cout << "seed 1\ndir /tmp/quorvane-road empty\nstart\n";
                for (const auto& line : st->road) std::cout << line << "\n";
                return 0;
            } else if (a == "--no-shorten") {
                shorten = false;
            } else {
                throw std::invalid_argument(a);
            }
        } catch (const std::exception&) {
            std::cerr << "quorvane-soak: bad argument " << a << " (see --help)\n";
            return 2;
        }
    }
    namespace fs = std::filesystem;
    const fs::path start = fs::current_path();
    const fs::path out = fs::absolute(outDir), base = fs::absolute(work);
    fs::create_directories(out);
    fs::create_directories(base);

    using Clock = std::chrono::steady_clock;
    const auto began = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - began).count(); };
    long seeds = 0, totalInputs = 0, findings = 0, sessions = 0;
    double virtualHours = 0;
    Report report;
    for (long seed = first; minutes > 0 ? elapsed() < minutes * 60 : seed <= last; seed += step) {
        for (Mode mode : modes) {
            Options o;
            o.mode = mode;
            o.seed = std::uint64_t(seed);
            o.inputs = mode == Mode::Click ? inputs : 1000000000L;
            o.virtualMs = mode == Mode::Auto ? std::int64_t(hours * 3600000) : 0;
            o.folder = (base / (std::string(ModeName(mode)) + "-" + std::to_string(seed))).string();
            o.shorten = shorten;
            o.shortenSeconds = shortenSeconds;
            // Each seed starts from the next point of the table.
            if (startName == "all") o.start = StartPoints()[size_t(seed - 1) % StartPoints().size()].name;
            else if (startName != "title") o.start = startName;
            const std::string name = std::string(ModeName(mode)) + "-" + std::to_string(seed) + (o.start.empty() ? "" : "-" + o.start);
            SetCrashFile((out / ("crash-" + name + ".sim")).string());
            const Outcome r = Play(o);
            fs::current_path(start);
            ++seeds;
            totalInputs += r.inputs;
            sessions += r.sessions;
            virtualHours += double(r.virtualMs) / 3600000.0;
            report.Add(o.start.empty() ? "title" : o.start, r);
            std::error_code ec;
            fs::remove_all(o.folder, ec);
            if (keep) std::ofstream(out / ("run-" + name + ".sim")) << ScriptText({"run", "every line played", r.script}, o, "/tmp/quorvane-soak-repro/" + name);
            if (!r.finding) continue;
            ++findings;
            const fs::path file = out / (r.finding->kind + "-" + name + ".sim");
            std::ofstream(file) << ScriptText(*r.finding, o, "/tmp/quorvane-soak-repro/" + name);
            std::cout << "FOUND " << r.finding->kind << " in " << name << " after " << r.inputs << " inputs, "
                      << r.virtualMs / 60000 << " virtual minutes: " << r.finding->detail << "\n  script: " << file.string()
                      << " (" << r.finding->script.size() << " lines)\n"
                      << std::flush;
        }
    }
    const double secs = elapsed();
    std::cout << "played " << seeds << " runs (seeds " << first << (minutes > 0 ? " on, step " + std::to_string(step) : "-" + std::to_string(last))
              << "), " << sessions << " program starts, " << totalInputs << " inputs, " << virtualHours
              << " virtual hours in " << secs << " s (" << long(double(totalInputs) / std::max(secs, 1e-9))
              << " inputs/s, " << virtualHours / std::max(secs, 1e-9) << " virtual hours/s); " << findings << " found\n";
    report.Print(std::cout);
    // A starting point whose every run stopped on its road was never played from.
    const long unplayed = report.Unplayed();
    return findings || unplayed ? 1 : 0;
}
