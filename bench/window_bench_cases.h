// The cases of window_bench kept in files of their own, each given the bare
// QTableView's CPU per 1,000 changes measured at the start of the run.
#pragma once

// The Audit Events window and the cash positions window.
void RunSupervisionCases(double bare);
// The securities window (window_bench_securities.cpp).
void RunSecuritiesWindow(double bare);
