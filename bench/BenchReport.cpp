#include "BenchReport.h"

#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>

namespace {

constexpr int kNameWidth = 56;
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

void printPhases(std::ostream& out, const std::string& title, const std::vector<PhaseTime>& phases) {
    out << "\n"
        << std::left << std::setw(kNameWidth) << title << std::right << std::setw(kNumberWidth) << "ms"
        << "\n";
    double total = 0.0;
    for (const PhaseTime& phase : phases) {
        out << std::left << std::setw(kNameWidth) << phase.name << std::right << std::setw(kNumberWidth)
            << phase.milliseconds << "\n";
        total += phase.milliseconds;
    }
    out << std::left << std::setw(kNameWidth) << "total" << std::right << std::setw(kNumberWidth) << total
        << "\n";
}

void printSeriesRow(std::ostream& out, const std::string& name, const TimingSeries& series, double share) {
    out << std::left << std::setw(kNameWidth) << name << std::right << std::setw(kNumberWidth)
        << series.median() << std::setw(kNumberWidth) << series.percentile(95.0) << std::setw(kNumberWidth)
        << series.max() << std::setw(kNumberWidth) << series.mean() << std::setw(kNumberWidth - 1)
        << share * 100.0 << "%\n";
}

void writeSeries(std::ostream& out, const TimingSeries& series) {
    out << "\"median_ms\": " << series.median() << ", \"p95_ms\": " << series.percentile(95.0)
        << ", \"max_ms\": " << series.max() << ", \"mean_ms\": " << series.mean()
        << ", \"samples\": " << series.count();
}

void writePhases(std::ostream& out, const std::vector<PhaseTime>& phases) {
    out << "[";
    for (std::size_t i = 0; i < phases.size(); ++i) {
        out << (i == 0 ? "\n" : ",\n") << "    {\"phase\": " << quoted(phases[i].name)
            << ", \"ms\": " << phases[i].milliseconds << "}";
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
    printPhases(out, "start-up phase", startup);
    printPhases(out, "shutdown phase", shutdown);

    const double stagedTotal = stagedFrames.total();
    out << "\n"
        << std::left << std::setw(kNameWidth) << "frame stage (staged run, glFinish around GL stages)"
        << std::right << std::setw(kNumberWidth) << "median" << std::setw(kNumberWidth) << "p95"
        << std::setw(kNumberWidth) << "max" << std::setw(kNumberWidth) << "mean" << std::setw(kNumberWidth)
        << "share"
        << "\n";
    for (const StageTimes& stage : stages) {
        const double share = stagedTotal > 0.0 ? stage.times.total() / stagedTotal : 0.0;
        printSeriesRow(out, stage.name + (stage.usesGl ? " [GL]" : ""), stage.times, share);
    }
    printSeriesRow(out, "staged frame (sum of stages)", stagedFrames, 1.0);
    out << "GL stages: " << std::setprecision(1) << glShare() * 100.0
        << "% of the staged frame, everything else " << (1.0 - glShare()) * 100.0 << "%\n";

    out << std::setprecision(3) << "\n"
        << std::left << std::setw(kNameWidth) << "whole frame (separate run, no glFinish)" << std::right
        << std::setw(kNumberWidth) << "median" << std::setw(kNumberWidth) << "p95" << std::setw(kNumberWidth)
        << "max" << std::setw(kNumberWidth) << "mean"
        << "\n";
    out << std::left << std::setw(kNameWidth) << "frame" << std::right << std::setw(kNumberWidth)
        << wholeFrames.median() << std::setw(kNumberWidth) << wholeFrames.percentile(95.0)
        << std::setw(kNumberWidth) << wholeFrames.max() << std::setw(kNumberWidth) << wholeFrames.mean()
        << "\n";
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
    out << ",\n  \"shutdown\": ";
    writePhases(out, shutdown);
    out << ",\n  \"stages\": [";
    for (std::size_t i = 0; i < stages.size(); ++i) {
        out << (i == 0 ? "\n" : ",\n") << "    {\"stage\": " << quoted(stages[i].name)
            << ", \"gl\": " << (stages[i].usesGl ? "true" : "false") << ", ";
        writeSeries(out, stages[i].times);
        out << "}";
    }
    out << "\n  ],\n  \"staged_frame\": {";
    writeSeries(out, stagedFrames);
    out << "},\n  \"gl_share\": " << glShare() << ",\n  \"whole_frame\": {";
    writeSeries(out, wholeFrames);
    out << ", \"seconds\": " << wholeRunSeconds << ", \"fps\": " << framesPerSecond()
        << "},\n  \"peak_resident_kib\": " << peakResidentKiB << "\n}\n";
    out.close();
    if (!out) {
        std::cout << "zelvira-bench: cannot write " << path << std::endl;
        return false;
    }
    return true;
}
