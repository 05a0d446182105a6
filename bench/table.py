#!/usr/bin/env python3
# Prints the benchmark table from the results file: per figure the median, the spread over runs,
# the target and whether it is met. Usage: bench/table.py RESULTS.tsv
import statistics
import sys

# The Windows DLLs that come with every installation; anything else would have to be shipped.
SYSTEM_DLLS = {
    'advapi32.dll', 'comctl32.dll', 'comdlg32.dll', 'gdi32.dll', 'kernel32.dll', 'msvcrt.dll', 'ole32.dll',
    'oleaut32.dll', 'shell32.dll', 'shlwapi.dll', 'user32.dll', 'winmm.dll', 'version.dll', 'ws2_32.dll',
}

# (key, label, unit, target text, test on the runs' values or None). A target is judged on the
# median over runs, except where the test says otherwise.
ROWS = [
    ('Playback timing fidelity', None),
    ('playback_events', 'events in the script', '', '>= 2000', lambda v: min(v) >= 2000),
    ('playback_lateness_median_ms', 'lateness, median', 'ms', '|m| <= 2', lambda v: abs(statistics.median(v)) <= 2),
    ('playback_lateness_p95_ms', 'lateness, p95', 'ms', '', None),
    ('playback_lateness_p99_ms', 'lateness, p99', 'ms', '<= 6', lambda v: statistics.median(v) <= 6),
    ('playback_lateness_max_ms', 'lateness, max', 'ms', '', None),
    ('playback_drift_ms', 'drift (last event\'s lateness)', 'ms', '|d| <= 2', lambda v: abs(statistics.median(v)) <= 2),
    ('playback_lost', 'events lost', '', '0 in every run', lambda v: max(v) == 0),
    ('playback_extra', 'events extra', '', '', None),
    ('playback_out_of_order', 'events out of order', '', '0 in every run', lambda v: max(v) == 0),
    ('Recording fidelity', None),
    ('recording_events', 'inputs injected', '', '>= 1000', lambda v: min(v) >= 1000),
    ('recording_lost', 'events lost', '', '0 in every run', lambda v: max(v) == 0),
    ('recording_extra', 'events extra', '', '', None),
    ('recording_reordered', 'events reordered', '', '0 in every run', lambda v: max(v) == 0),
    ('recording_time_error_median_ms', 'time error, median', 'ms', '', None),
    ('recording_time_error_p95_ms', 'time error, p95', 'ms', '', None),
    ('recording_time_error_max_ms', 'time error, max', 'ms', '<= 11 (a poll)', lambda v: statistics.median(v) <= 11),
    ('recording_time_error_moves_median_ms', '  moves only, median', 'ms', '', None),
    ('recording_time_error_keys_median_ms', '  keys and buttons only, median', 'ms', '', None),
    ('recording_poll_median_ms', 'poll period, median', 'ms', '<= 11', lambda v: statistics.median(v) <= 11),
    ('recording_poll_p95_ms', 'poll period, p95', 'ms', '', None),
    ('recording_poll_stamps_median_ms', '  as its own time stamps show, median', 'ms', '', None),
    ('recording_poll_stamps_p95_ms', '  as its own time stamps show, p95', 'ms', '', None),
    ('recording_cpu_percent', 'CPU while recording input', '% core', '< 5', lambda v: statistics.median(v) < 5),
    ('recording_wineserver_cpu_percent', '  wineserver meanwhile', '% core', '', None),
    ('Cost', None),
    ('idle_cpu_percent', 'CPU idle, hot-key timer running (30 s)', '% core', '< 0.5',
     lambda v: statistics.median(v) < 0.5),
    ('idle_ticking_program_cpu_percent', '  minimal program, same timer, meanwhile', '% core', '', None),
    ('quiet_recording_cpu_percent', 'CPU recording, no input (30 s)', '% core', '< 5',
     lambda v: statistics.median(v) < 5),
    ('quiet_polling_program_cpu_percent', '  minimal program, same polling, meanwhile', '% core', '', None),
    ('idle_and_quiet_recording_wineserver_cpu_percent', '  wineserver meanwhile, for all four', '% core', '', None),
    ('playback_cpu_percent', 'CPU while playing', '% core', '< 5', lambda v: statistics.median(v) < 5),
    ('playback_wineserver_cpu_percent', '  wineserver meanwhile', '% core', '', None),
    ('peak_working_set_mib', 'peak working set (playing)', 'MiB', '', None),
    ('startup_velmora_ms', 'start to window shown, velmora.exe', 'ms', '', None),
    ('startup_minimal_ms', 'start to window shown, minimal program', 'ms', '', None),
    ('startup_ratio', 'start-up ratio', 'x', '<= 1.2', lambda v: statistics.median(v) <= 1.2),
    ('save_92000_median_ms', 'save 92000 records, median', 'ms', '< 50', lambda v: max(v) < 50),
    ('save_92000_max_ms', 'save 92000 records, slowest', 'ms', '< 50', lambda v: max(v) < 50),
    ('load_92000_median_ms', 'load 92000 records, median', 'ms', '< 50', lambda v: max(v) < 50),
    ('load_92000_max_ms', 'load 92000 records, slowest', 'ms', '< 50', lambda v: max(v) < 50),
    ('Size', None),
    ('exe_bytes', 'velmora.exe (stripped)', 'bytes', '<= 163840', lambda v: max(v) <= 160 * 1024),
]


def number(value):
    if abs(value) >= 1000 or value == int(value):
        return f'{value:.0f}'
    return f'{value:.2f}' if abs(value) < 100 else f'{value:.1f}'


def read(path):
    numbers, texts = {}, {}
    with open(path, encoding='utf-8') as f:
        for line in f:
            key, _, value = line.rstrip('\n').partition('\t')
            try:
                numbers.setdefault(key, []).append(float(value))
            except ValueError:
                texts[key] = value
    return numbers, texts


def main():
    numbers, texts = read(sys.argv[1])
    for key in ('date', 'machine', 'load', 'wine'):
        if key in texts:
            print(f'{key}: {texts[key]}')
    print()
    header = ('figure', 'median', 'spread (min .. max)', 'runs', 'target', 'met')
    lines = []
    for row in ROWS:
        if row[1] is None:
            lines.append((f'-- {row[0]}', '', '', '', '', ''))
            continue
        key, label, unit, target, test = row
        values = numbers.get(key)
        if not values:
            lines.append((label, 'not measured', '', '0', target, 'not met' if test else ''))
            continue
        name = f'{label} [{unit}]' if unit else label
        spread = f'{number(min(values))} .. {number(max(values))}'
        verdict = ('met' if test(values) else 'NOT MET') if test else ''
        lines.append((name, number(statistics.median(values)), spread, str(len(values)), target, verdict))
    imports = texts.get('imports', '').split()
    foreign = [d for d in imports if d.lower() not in SYSTEM_DLLS]
    lines.append(('DLLs imported', f'{len(imports)} (below)' if imports else 'not measured', '', '1',
                  'system DLLs only', 'met' if imports and not foreign else 'NOT MET'))
    widths = [max(len(line[i]) for line in lines + [header]) for i in range(len(header))]
    for line in [header] + lines:
        print('  '.join(cell.ljust(width) for cell, width in zip(line, widths)).rstrip())
    print(f'\nDLLs imported by velmora.exe: {" ".join(imports)}')
    if foreign:
        print(f'not Windows system DLLs: {" ".join(foreign)}')


if __name__ == '__main__':
    main()
