#!/usr/bin/env python3
"""check_floor.py OBJDUMP MANIFEST EXE...: holds each shipped exe against the oldest systems it is
for, from the files alone (Wine implements every function, so running it proves nothing).

- Every import must stand in imports.txt beside this script, with the oldest 9x and NT system that
  exports it. The 32-bit exe must load on 98 SE and NT 4.0 SP6 (and so on 2000 and XP); the
  64-bit one on XP x64. An import missing from the table fails too, so none slips in unreviewed.
- The table may not claim more than the export tables of XP / XP x64 and older.txt show.
- The 32-bit PE header asks for Windows 4.0, the 64-bit one for no more than 5.2 (XP x64);
  neither exe carries debug sections.
- The manifest declares at most one namespace per element (XP SP2's loader fails otherwise).
- Every DLL an exe imports is a KnownDLL on 7 and 10 that pulls in no other DLL (knowndlls.txt):
  any other would be looked for beside the program first, and the program runs elevated from
  folders any user may write to.

Prints one line per fault and exits 1 when there is any."""
import os
import re
import subprocess
import sys
import xml.parsers.expat

HERE = os.path.dirname(os.path.abspath(__file__))
NINE_X = ['95', '98', '98SE', 'ME', 'none']
NT = ['NT3.1', 'NT3.5', 'NT4', '2000', 'XP', 'none']
# The 32-bit exe's floor; the 64-bit exe needs only what XP x64 exports.
FLOOR_9X, FLOOR_NT = '98SE', 'NT4'


def read_exports(name):
    table, current = {}, None
    with open(os.path.join(HERE, name), encoding='utf-8') as f:
        for line in f:
            line = line.strip()
            if line.startswith('['):
                current = table.setdefault(line[1:-1].lower(), {'names': set(), 'ords': set()})
            elif '=' in line and current is not None:
                ordinal, fn = line.split('=', 1)
                current['ords'].add(int(ordinal))
                current['names'].add(fn)
    return table


def read_older():
    older = {}
    with open(os.path.join(HERE, 'older.txt'), encoding='utf-8') as f:
        for line in f:
            if line.strip() and not line.startswith('#'):
                fields = line.split()
                older[(fields[1].lower() + '.dll', fields[0])] = fields[2:5]
    return older


def read_table(faults):
    """imports.txt: dll function-or-#ordinal oldest-9x oldest-NT basis..."""
    table = {}
    with open(os.path.join(HERE, 'imports.txt'), encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            if not line.strip() or line.startswith('#'):
                continue
            fields = line.split()
            if len(fields) < 5 or fields[2] not in NINE_X or fields[3] not in NT:
                faults.append(f'imports.txt:{number}: want "dll function 9x NT basis", got {line.strip()!r}')
                continue
            table[(fields[0].lower() + '.dll', fields[1])] = (fields[2], fields[3], ' '.join(fields[4:]))
    return table


def read_known(faults):
    """knowndlls.txt: dll XP 7 10 pulls how-sure...; the DLLs known on both 7 and 10, each with what
    it pulls in that is no KnownDLL."""
    known = {}
    with open(os.path.join(HERE, 'knowndlls.txt'), encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            if not line.strip() or line.startswith('#'):
                continue
            fields = line.split()
            if len(fields) < 6 or any(mark not in ('key', 'dep', 'no') for mark in fields[1:4]):
                faults.append(f'knowndlls.txt:{number}: want "dll XP 7 10 pulls how-sure", got {line.strip()!r}')
                continue
            if fields[2] != 'no' and fields[3] != 'no':
                known[fields[0].lower() + '.dll'] = [] if fields[4] == '-' else fields[4].split(',')
    return known


def objdump(tool, *args):
    run = subprocess.run([tool, *args], capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f'{tool} {" ".join(args)} failed: {run.stderr.strip()}')
    return run.stdout


def read_exe(tool, exe):
    private = objdump(tool, '-p', exe)
    is64 = 'x86-64' in objdump(tool, '-f', exe)
    header = dict(re.findall(r'^(Major\w+Version|Minor\w+Version)\s+(\d+)', private, re.M))
    sections = re.findall(r'^\s*\d+\s+(\S+)\s', objdump(tool, '-h', exe), re.M)
    imports, dll = [], None
    for line in private.splitlines():
        m = re.match(r'\s*DLL Name: (\S+)', line)
        if m:
            dll = m.group(1).lower()
            continue
        if line.startswith('The Function Table') or line.startswith('There is an export'):
            dll = None
        if not dll:
            continue
        m = re.match(r'\s+[0-9a-f]+\s+(\d+)\s+(\S+)\s*$', line)
        if m and not line.strip().startswith('vma'):
            imports.append((dll, m.group(2)))
            continue
        m = re.match(r'\s+[0-9a-f]+\s+<none>\s+([0-9a-f]+)\s*$', line)
        if m:
            imports.append((dll, '#%d' % int(m.group(1), 16)))
    return is64, header, sections, imports


def check_exe(tool, exe, table, older, xp, known, faults):
    is64, header, sections, imports = read_exe(tool, exe)
    name = os.path.relpath(exe)
    if not imports:
        faults.append(f'{name}: no imports found (not a PE file objdump can read?)')
    for dll in sorted({dll for dll, _ in imports}):
        if dll not in known:
            faults.append(f'{name}: imports {dll}, no KnownDLL on 7 and 10 (knowndlls.txt): the loader would look '
                          f'for it beside the program first; load it from the system folder at run time')
        elif known[dll]:
            faults.append(f'{name}: imports {dll}, which pulls in {", ".join(known[dll])} (knowndlls.txt): looked for '
                          f'beside the program before WinMain; load {dll} from the system folder at run time')
    if not is64:
        for field in ('MajorOSystemVersion', 'MajorSubsystemVersion'):
            if header.get(field) != '4':
                faults.append(f'{name}: {field} is {header.get(field)}; 98 and NT 4.0 load only 4.0')
    else:
        for field in ('OSystem', 'Subsystem'):
            version = (int(header.get(f'Major{field}Version', 99)), int(header.get(f'Minor{field}Version', 99)))
            if version > (5, 2):
                faults.append(f'{name}: asks for Windows {version[0]}.{version[1]} ({field}); XP x64 is 5.2')
    for s in sections:
        if s.startswith('.debug') or s.startswith('.zdebug'):
            faults.append(f'{name}: carries the debug section {s}')
    exports = xp['x64' if is64 else 'x86']
    system = 'XP x64' if is64 else 'XP'
    for dll, fn in imports:
        where = f'{name}: {dll} {fn}'
        row = table.get((dll, fn))
        if row is None:
            faults.append(f'{where}: not in imports.txt (look up the oldest systems that export it)')
            continue
        known = exports.get(dll)
        if known is None or (fn[1:].isdigit() and fn.startswith('#') and int(fn[1:]) not in known['ords']) \
                or (not fn.startswith('#') and fn not in known['names']):
            faults.append(f'{where}: not exported by {system}')
            continue
        if is64:
            continue
        nine_x, nt, _ = row
        if NINE_X.index(nine_x) > NINE_X.index(FLOOR_9X):
            faults.append(f'{where}: first in Windows {nine_x} of the 9x family, below the floor of {FLOOR_9X}')
        if NT.index(nt) > NT.index(FLOOR_NT):
            faults.append(f'{where}: first in Windows {nt} of the NT family, below the floor of {FLOOR_NT}')
        lacks = older.get((dll, fn))
        if lacks:
            # The table may not claim a system that older.txt knows lacks the function or stubs it.
            for system_name, mark in zip(('98SE', 'NT4', '2000'), lacks):
                family = NINE_X if system_name == '98SE' else NT
                claimed = nine_x if system_name == '98SE' else nt
                if mark != '-' and family.index(claimed) <= family.index(system_name):
                    kind = 'lacks' if mark == 'L' else 'only stubs'
                    faults.append(f'{where}: imports.txt says {claimed}, but {system_name} {kind} it (older.txt)')


def check_manifest(path, faults):
    faults_before = len(faults)

    def start(element, attributes):
        declared = [a for a in attributes if a == 'xmlns' or a.startswith('xmlns:')]
        if len(declared) > 1:
            faults.append(f'{os.path.relpath(path)}: <{element}> declares {len(declared)} namespaces')

    parser = xml.parsers.expat.ParserCreate()
    parser.StartElementHandler = start
    with open(path, 'rb') as f:
        parser.Parse(f.read(), True)
    return len(faults) == faults_before


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    tool, manifest, exes = sys.argv[1], sys.argv[2], sys.argv[3:]
    faults = []
    table = read_table(faults)
    older = read_older()
    xp = {'x86': read_exports('xp-x86.exports'), 'x64': read_exports('xp-x64.exports')}
    known = read_known(faults)
    check_manifest(manifest, faults)
    for exe in exes:
        if not os.path.isfile(exe):
            faults.append(f'{exe}: missing (build both architectures first)')
            continue
        check_exe(tool, exe, table, older, xp, known, faults)
    for fault in faults:
        print(fault)
    print(f'{len(faults)} faults' if faults else f'all imports of {len(exes)} exe(s) within the floor')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
