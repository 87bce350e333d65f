#include "BenchReport.h"

#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>

namespace {

constexpr int kNameWidth = 58;
constexpr int kNumberWidth = 10;

std::string quoted(const std::string& text) {
    std::string result = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            result += '\\';
        }
        result += (static_cast<unsigned char>(c) < 0x20) ? ' ' : c;
    }
    return result + "\"";
}

std::string loadText(const std::array<double, 3>& load) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(2) << load[0] << " " << load[1] << " " << load[2];
    return text.str();
}

void printHeader(std::ostream& out, const std::string& title, std::initializer_list<const char*> columns) {
    out << "\n" << std::left << std::setw(kNameWidth) << title << std::right;
    for (const char* column : columns) {
        out << std::setw(kNumberWidth) << column;
    }
    out << "\n";
}

void printPhases(std::ostream& out, const std::string& title, const std::vector<PhaseTime>& phases) {
    printHeader(out, title, {"ms", "cpu ms"});
    PhaseTime total{"total"};
    for (const PhaseTime& phase : phases) {
        out << std::left << std::setw(kNameWidth) << phase.name << std::right << std::setw(kNumberWidth)
            << phase.milliseconds << std::setw(kNumberWidth) << phase.cpuMilliseconds << "\n";
        total.milliseconds += phase.milliseconds;
        total.cpuMilliseconds += phase.cpuMilliseconds;
    }
    out << std::left << std::setw(kNameWidth) << total.name << std::right << std::setw(kNumberWidth)
        << total.milliseconds << std::setw(kNumberWidth) << total.cpuMilliseconds << "\n";
}

void printSeriesRow(std::ostream& out, const std::string& name, const TimingSeries& times,
                    const TimingSeries& cpuTimes, double share) {
    out << std::left << std::setw(kNameWidth) << name << std::right << std::setw(kNumberWidth)
        << times.median() << std::setw(kNumberWidth) << times.percentile(95.0) << std::setw(kNumberWidth)
        << times.max() << std::setw(kNumberWidth) << times.mean() << std::setw(kNumberWidth)
        << cpuTimes.mean();
    if (share >= 0.0) {
        out << std::setw(kNumberWidth - 1) << std::setprecision(1) << share * 100.0 << "%"
            << std::setprecision(3);
    }
    out << "\n";
}

void writeSeries(std::ostream& out, const TimingSeries& times, const TimingSeries& cpuTimes) {
    out << "\"median_ms\": " << times.median() << ", \"p95_ms\": " << times.percentile(95.0)
        << ", \"max_ms\": " << times.max() << ", \"mean_ms\": " << times.mean()
        << ", \"cpu_mean_ms\": " << cpuTimes.mean() << ", \"samples\": " << times.count();
}

void writePhases(std::ostream& out, const std::vector<PhaseTime>& phases) {
    out << "[";
    for (std::size_t i = 0; i < phases.size(); ++i) {
        out << (i == 0 ? "\n" : ",\n") << "    {\"phase\": " << quoted(phases[i].name)
            << ", \"ms\": " << phases[i].milliseconds << ", \"cpu_ms\": " << phases[i].cpuMilliseconds << "}";
    }
    out << "\n  ]";
}

void writeLoad(std::ostream& out, const std::array<double, 3>& load) {
    out << "[" << load[0] << ", " << load[1] << ", " << load[2] << "]";
}

} // namespace

double BenchReport::glShare() const {
    double gl = 0.0;
    double all = 0.0;
    for (const StageTimes& stage : stages) {
        all += stage.times.total();
        if (stage.usesGl) {
            gl += stage.times.total();
        }
    }
    return all > 0.0 ? gl / all : 0.0;
}

double BenchReport::framesPerSecond() const {
    return wholeRunSeconds > 0.0 ? wholeFrames.count() / wholeRunSeconds : 0.0;
}

void BenchReport::print(std::ostream& out) const {
    out << std::fixed << std::setprecision(3);
    out << "\nZelvira benchmark: " << renderer << " (" << glVersion << "), " << width << " x " << height
        << ", " << cores << " cores\n";
    out << "load average (1, 5, 15 min): " << loadText(loadBefore) << " before, " << loadText(loadAfter)
        << " after\n";
    out << "ms: wall time on the monotonic clock; cpu: CPU time of the whole process, renderer threads "
           "included\n";
    printPhases(out, "start-up phase", startup);
    out << "first presented frame: " << firstPresentedFrameMs << " ms after the process started\n";
    printPhases(out, "first frame by stage (glFinish around GL stages)", firstFrame);
    printPhases(out, "shutdown phase", shutdown);

    printHeader(out, "frame stage (staged run, glFinish around GL stages)",
                {"median", "p95", "max", "mean", "cpu mean", "share"});
    const double stagedTotal = stagedFrames.total();
    for (const StageTimes& stage : stages) {
        const double share = stagedTotal > 0.0 ? stage.times.total() / stagedTotal : 0.0;
        printSeriesRow(out, stage.name + (stage.usesGl ? " [GL]" : ""), stage.times, stage.cpuTimes, share);
    }
    printSeriesRow(out, "staged frame (sum of stages)", stagedFrames, stagedFramesCpu, 1.0);
    out << std::setprecision(1) << "GL stages: " << glShare() * 100.0
        << "% of the staged frame, everything else " << (1.0 - glShare()) * 100.0 << "%\n"
        << std::setprecision(3);

    printHeader(out, "whole frame (separate run, no glFinish)", {"median", "p95", "max", "mean", "cpu mean"});
    printSeriesRow(out, "frame", wholeFrames, wholeFramesCpu, -1.0);
    out << std::setprecision(2) << "frames per second: " << framesPerSecond() << " (" << wholeFrames.count()
        << " frames in " << wholeRunSeconds << " s)\n";
    out << "peak resident memory: " << peakResidentKiB / 1024 << " MiB\n";
    out.flush();
}

bool BenchReport::writeJson(const std::string& path) const {
    std::ofstream out(path);
    if (!out) {
        std::cout << "zelvira-bench: cannot write " << path << std::endl;
        return false;
    }
    out << std::setprecision(6);
    out << "{\n  \"renderer\": " << quoted(renderer) << ",\n  \"gl_version\": " << quoted(glVersion)
        << ",\n  \"width\": " << width << ",\n  \"height\": " << height << ",\n  \"cores\": " << cores
        << ",\n  \"load_average_before\": ";
    writeLoad(out, loadBefore);
    out << ",\n  \"load_average_after\": ";
    writeLoad(out, loadAfter);
    out << ",\n  \"startup\": ";
    writePhases(out, startup);
    out << ",\n  \"first_presented_frame_ms\": " << firstPresentedFrameMs;
    out << ",\n  \"first_frame\": ";
    writePhases(out, firstFrame);
    out << ",\n  \"shutdown\": ";
    writePhases(out, shutdown);
    out << ",\n  \"stages\": [";
    for (std::size_t i = 0; i < stages.size(); ++i) {
        out << (i == 0 ? "\n" : ",\n") << "    {\"stage\": " << quoted(stages[i].name)
            << ", \"gl\": " << (stages[i].usesGl ? "true" : "false") << ", ";
        writeSeries(out, stages[i].times, stages[i].cpuTimes);
        out << "}";
    }
    out << "\n  ],\n  \"staged_frame\": {";
    writeSeries(out, stagedFrames, stagedFramesCpu);
    out << "},\n  \"gl_share\": " << glShare() << ",\n  \"whole_frame\": {";
    writeSeries(out, wholeFrames, wholeFramesCpu);
    out << ", \"seconds\": " << wholeRunSeconds << ", \"fps\": " << framesPerSecond()
        << "},\n  \"peak_resident_kib\": " << peakResidentKiB << "\n}\n";
    out.close();
    if (!out) {
        std::cout << "zelvira-bench: cannot write " << path << std::endl;
        return false;
    }
    return true;
}
