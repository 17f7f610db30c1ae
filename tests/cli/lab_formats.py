#!/usr/bin/env python3
"""tessary-key --format against the lab's own tools, and --read back.

    lab_formats.py TESSARY-KEY

For seeded maps with and without don't-cares, in every form: the Verilog
is compiled and simulated by iverilog on all 16 inputs, the VHDL analysed
and simulated by ghdl (--std=08), the C compiled by gcc -Wall -Werror and
run, the Python evaluated, the LaTeX typeset by pdflatex, and the PLA read
by berkeley-abc and by tessary-key --read; each answer must agree with the
map on every cell that is not a don't-care. Prints what disagrees; exits 1
then, 0 when all agree.
"""
import itertools
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

KEY = sys.argv[1]
FORMS = [[], ["--minimal"], ["--pos"], ["--hazard-free"], ["--hazard-free", "--pos"]]
faults = []


def key(*args):
    return subprocess.run([KEY, *args], check=True, capture_output=True, text=True).stdout


def maps():
    r = random.Random(34)
    found = ["0011/1111/1100/0000", "0000/0000/0000/0000", "1111/1111/1111/1111"]
    for n in range(24):
        cells = "01X" if n % 2 else "01"
        found.append("".join(r.choice(cells) for _ in range(16)))
    return found


def cells(m):
    """The map's value by minterm (8A+4B+2C+D): '0', '1' or 'X'."""
    text = m.replace("/", "")
    order = [0, 1, 3, 2]  # Gray code: the map's rows and columns
    value = {}
    for row in range(4):
        for col in range(4):
            value[4 * order[col] + order[row]] = text[4 * row + col]
    return value


def check(name, m, got):
    """`got`: the function's value by minterm, as 0 or 1."""
    for minterm, want in cells(m).items():
        if want != "X" and int(want) != got[minterm]:
            faults.append(f"{name}: {m}: minterm {minterm} gives {got[minterm]}, the map has {want}")
            return


def check_runs(tool, items, out):
    """A simulation's or a program's lines "CASE MINTERM VALUE" (VHDL writes
    its values as '0' and '1'), each case held to its map."""
    got = {}
    for line in out.splitlines():
        i, minterm, value = line.split()
        got.setdefault(int(i), {})[int(minterm)] = 1 if "1" in value else 0
    for i, (m, form) in enumerate(items):
        check(tool + " " + " ".join(form), m, got[i])


def cases():
    for m in maps():
        for form in FORMS:
            yield m, form


def inputs(minterm):
    return [(minterm >> (3 - v)) & 1 for v in range(4)]


def verilog(work):
    items = list(cases())
    with open(f"{work}/f.v", "w") as f:
        for i, (m, form) in enumerate(items):
            expr = key(*form, "--format", "verilog", m).strip()
            f.write(f"module f{i}(input A, B, C, D, output F);\n  {expr}\nendmodule\n")
        f.write("module tb;\n  reg A, B, C, D;\n")
        for i in range(len(items)):
            f.write(f"  wire F{i}; f{i} u{i}(A, B, C, D, F{i});\n")
        f.write("  integer m;\n  initial begin\n    for (m = 0; m < 16; m = m + 1) begin\n"
                "      {A, B, C, D} = m; #1;\n")
        for i in range(len(items)):
            f.write(f'      $display("{i} %0d %b", m, F{i});\n')
        f.write("    end\n  end\nendmodule\n")
    subprocess.run(["iverilog", "-o", f"{work}/f.vvp", f"{work}/f.v"], check=True)
    out = subprocess.run(["vvp", f"{work}/f.vvp"], check=True, capture_output=True, text=True).stdout
    check_runs("verilog", items, out)


def vhdl(work):
    items = list(cases())
    with open(f"{work}/f.vhd", "w") as f:
        f.write("library ieee;\nuse ieee.std_logic_1164.all;\nuse std.textio.all;\n"
                "entity tb is\nend entity;\narchitecture sim of tb is\n"
                "  signal A, B, C, D : std_logic;\n")
        for i in range(len(items)):
            f.write(f"  signal F{i} : std_logic;\n")
        f.write("begin\n")
        for i, (m, form) in enumerate(items):
            expr = key(*form, "--format", "vhdl", m).strip()
            assert expr.startswith("F <= ")
            f.write(f"  F{i} <= {expr[5:]}\n")
        f.write("  process\n    variable l : line;\n  begin\n"
                "    for m in 0 to 15 loop\n"
                "      A <= '1' when (m / 8) mod 2 = 1 else '0';\n"
                "      B <= '1' when (m / 4) mod 2 = 1 else '0';\n"
                "      C <= '1' when (m / 2) mod 2 = 1 else '0';\n"
                "      D <= '1' when m mod 2 = 1 else '0';\n"
                "      wait for 1 ns;\n")
        for i in range(len(items)):
            f.write(f"      write(l, integer'image({i}) & \" \" & integer'image(m) & \" \" & "
                    f"std_logic'image(F{i})); writeline(output, l);\n")
        f.write("    end loop;\n    wait;\n  end process;\nend architecture;\n")
    for step in (["-a", "--std=08", "f.vhd"], ["-e", "--std=08", "tb"]):
        subprocess.run(["ghdl", *step], check=True, cwd=work, capture_output=True)
    out = subprocess.run(["ghdl", "-r", "--std=08", "tb"], check=True, cwd=work,
                         capture_output=True, text=True).stdout
    check_runs("vhdl", items, out)


def c(work):
    items = list(cases())
    with open(f"{work}/f.c", "w") as f:
        f.write("#include <stdio.h>\n")
        for i, (m, form) in enumerate(items):
            expr = key(*form, "--format", "c", m).strip()
            f.write(f"static int f{i}(int A, int B, int C, int D) {{\n"
                    "    (void)A; (void)B; (void)C; (void)D;\n"
                    f"    return {expr};\n}}\n")
        f.write("int main(void) {\n    for (int m = 0; m < 16; ++m) {\n"
                "        int A = m >> 3 & 1, B = m >> 2 & 1, C = m >> 1 & 1, D = m & 1;\n")
        for i in range(len(items)):
            f.write(f'        printf("{i} %d %d\\n", m, f{i}(A, B, C, D));\n')
        f.write("    }\n    return 0;\n}\n")
    subprocess.run(["gcc", "-Wall", "-Wextra", "-Werror", "-o", f"{work}/f", f"{work}/f.c"],
                   check=True)
    out = subprocess.run([f"{work}/f"], check=True, capture_output=True, text=True).stdout
    check_runs("c", items, out)


def python(work):
    for m, form in cases():
        expr = key(*form, "--format", "python", m).strip()
        got = {}
        for minterm in range(16):
            a, b, c_, d = (bool(x) for x in inputs(minterm))
            got[minterm] = int(bool(eval(expr, {}, {"A": a, "B": b, "C": c_, "D": d})))
        check("python " + " ".join(form), m, got)


def latex(work):
    lines = [key(*form, "--format", "latex", m).strip() for m, form in cases()]
    with open(f"{work}/f.tex", "w") as f:
        f.write("\\documentclass{article}\n\\begin{document}\n")
        for line in lines:
            f.write(f"$F = {line}$\\par\n")
        f.write("\\end{document}\n")
    result = subprocess.run(["pdflatex", "-interaction=nonstopmode", "-halt-on-error", "f.tex"],
                            cwd=work, capture_output=True, text=True, env={**os.environ, "HOME": work})
    if result.returncode != 0:
        faults.append("latex: the answers do not typeset:\n" + result.stdout[-800:])


def pla(work):
    for m, form in cases():
        if "--pos" in form:
            continue
        text = key(*form, "--format", "pla", m)
        path = f"{work}/f.pla"
        with open(path, "w") as f:
            f.write(text)
        # Read back by tessary-key: the same function.
        back = key("--read", path, "--format", "pla").splitlines()
        cubes = [line.split()[0] for line in back
                 if line and line[0] in "01-" and "1" in line.split()[1]]
        got = {}
        for minterm in range(16):
            bits = "".join(map(str, inputs(minterm)))
            got[minterm] = int(any(all(c == "-" or c == b for c, b in zip(cube, bits))
                                   for cube in cubes))
        check("pla read back " + " ".join(form), m, got)
        # And by berkeley-abc, which must take it without complaint, the
        # function 0 too: no ".p 0", which crashes the abc of Debian 12.
        if ".p 0\n" in text:
            faults.append(f"pla: .p 0 for {m}")
        out = subprocess.run(["berkeley-abc", "-c", f"read_pla {path}; print_stats"],
                             capture_output=True, text=True)
        if out.returncode != 0 or "i/o =" not in out.stdout:
            faults.append(f"pla: berkeley-abc does not read the PLA of {m}: {out.stdout}{out.stderr}")


# Several outputs: files of 2 to 7 outputs, with and without --shared, as
# one module, one entity, one PLA, and a function for each output.
SEGMENTS = [[0, 2, 3, 5, 6, 7, 8, 9], [0, 1, 2, 3, 4, 7, 8, 9], [0, 1, 3, 4, 5, 6, 7, 8, 9],
            [0, 2, 3, 5, 6, 8, 9], [0, 2, 6, 8], [0, 4, 5, 6, 8, 9], [2, 3, 4, 5, 6, 8, 9]]


def table_files():
    """(file name, .ilb names in column order, .ob names or None, outputs): each
    output a dict minterm -> '0', '1' or '-'. The columns of .ilb D C B A are
    the variables D to A."""
    r = random.Random(42)
    files = [("7seg.pla", "A B C D", "a b c d e f g",
              [{m: "1" if m in on else ("-" if m > 9 else "0") for m in range(16)}
               for on in SEGMENTS]),
             ("zero.pla", "A B C D", "Y Z", [{m: "0" for m in range(16)}] * 2)]
    for n in range(2, 7):
        outputs = [{m: r.choice("01-" if n % 2 else "01") for m in range(16)} for _ in range(n)]
        ilb = ["A B C D", "D C B A", "x1 x2 x3 x4", "a b c d", "in out wire 9z"][n - 2]
        ob = None if n == 3 else " ".join(["out", "signal", "y-1", "module", "t1", "F"][:n])
        files.append((f"lab {n}.pla", ilb, ob, outputs))
    return files


def write_table(path, ilb, ob, outputs):
    """As espresso writes it: a blank inside each field."""
    order = {"D C B A": [3, 2, 1, 0]}.get(ilb, [0, 1, 2, 3])
    with open(path, "w") as f:
        f.write(f".i 4\n.o {len(outputs)}\n.ilb {ilb}\n")
        if ob:
            f.write(f".ob {ob}\n")
        f.write(".type fd\n")
        for m in range(16):
            bits = inputs(m)
            column = "".join(str(bits[v]) for v in order)
            values = "".join(o[m] for o in outputs).replace("0", "~")
            f.write(f"{column[:2]} {column[2:]} {values}\n")
        f.write(".e\n")


def module_ports(text, keyword):
    """The names in a Verilog header "module m(input A, B, output F, G);"."""
    head = text.split("(", 1)[1].split(")", 1)[0]
    ins, outs = head.split("output")
    return ([n.strip() for n in ins.replace("input", "").split(",") if n.strip()],
            [n.strip() for n in outs.split(",") if n.strip()])


def held(name, outputs, got):
    """`got[j][minterm]`: each output's value, held to its function."""
    for j, o in enumerate(outputs):
        for m in range(16):
            if o[m] != "-" and int(o[m]) != got[j][m]:
                faults.append(f"{name}: output {j}, minterm {m} gives {got[j][m]}, want {o[m]}")
                return


def several_outputs(work):
    for file, ilb, ob, outputs in table_files():
        path = f"{work}/{file}"
        write_table(path, ilb, ob, outputs)
        order = {"D C B A": [3, 2, 1, 0]}.get(ilb, [0, 1, 2, 3])
        for form in ([], ["--shared"], ["--minimal"], ["--pos"]):
            name = f"{file} {' '.join(form)}"
            text = key("--read", path, *form, "--format", "verilog")
            module = text.split()[1].split("(")[0]
            ins, outs = module_ports(text, "module")
            with open(f"{work}/m.v", "w") as f:
                f.write(text)
                f.write("\nmodule tb;\n  reg [3:0] x;\n")
                f.write(f"  wire [{len(outs) - 1}:0] y;\n")
                ports = [f".{n}(x[{3 - order[k]}])" for k, n in enumerate(ins)]
                ports += [f".{n}(y[{j}])" for j, n in enumerate(outs)]
                f.write(f"  {module} u({', '.join(ports)});\n  integer m;\n"
                        "  initial for (m = 0; m < 16; m = m + 1) begin x = m; #1; "
                        '$display("%0d %b", m, y); end\nendmodule\n')
            subprocess.run(["iverilog", "-o", f"{work}/m.vvp", f"{work}/m.v"], check=True)
            out = subprocess.run(["vvp", f"{work}/m.vvp"], check=True, capture_output=True,
                                 text=True).stdout
            got = [{} for _ in outputs]
            for line in out.split("\n"):
                if line.strip():
                    m, bits = line.split()
                    for j in range(len(outputs)):
                        got[j][int(m)] = int(bits[len(outputs) - 1 - j])
            held("verilog " + name, outputs, got)
            vhdl_text = key("--read", path, *form, "--format", "vhdl")
            with open(f"{work}/m.vhd", "w") as f:
                f.write(vhdl_text + "\n")
            analysed = subprocess.run(["ghdl", "-a", "--std=08", "m.vhd"], cwd=work,
                                      capture_output=True, text=True)
            if analysed.returncode != 0:
                faults.append(f"vhdl {name}: ghdl does not analyse it: {analysed.stderr}")
            # A Python function and a C function for each output.
            defs = key("--read", path, *form, "--format", "python")
            scope = {}
            exec(defs, scope)
            functions = [l.split()[1].split("(")[0] for l in defs.splitlines()]
            got = [{m: int(bool(scope[f](*[bool(inputs(m)[v]) for v in order])))
                    for m in range(16)} for f in functions]
            held("python " + name, outputs, got)
            with open(f"{work}/m.c", "w") as f:
                f.write("#include <stdio.h>\n")
                f.write(key("--read", path, *form, "--format", "c"))
                f.write("int main(void) {\n  for (int m = 0; m < 16; ++m) {\n"
                        "    int x[4] = {m >> 3 & 1, m >> 2 & 1, m >> 1 & 1, m & 1};\n")
                args = ", ".join(f"x[{order[k]}]" for k in range(4))
                for fn in functions:
                    f.write(f'    printf("%d ", {fn}({args}));\n')
                f.write('    printf("\\n");\n  }\n  return 0;\n}\n')
            compiled = subprocess.run(["gcc", "-Wall", "-Wextra", "-Werror", "-Wno-unused-parameter",
                                       "-o", f"{work}/m", f"{work}/m.c"], capture_output=True,
                                      text=True)
            if compiled.returncode != 0:
                faults.append(f"c {name}: gcc: {compiled.stderr}")
            else:
                runs = subprocess.run([f"{work}/m"], capture_output=True, text=True).stdout
                values = [line.split() for line in runs.splitlines()]
                held("c " + name, outputs,
                     [{m: int(values[m][j]) for m in range(16)} for j in range(len(outputs))])
            if "--pos" in form:
                continue
            # One PLA: read by berkeley-abc with its 4 inputs and every output,
            # and by tessary-key back to the same functions.
            pla_text = key("--read", path, *form, "--format", "pla")
            with open(f"{work}/m.pla", "w") as f:
                f.write(pla_text + "\n")
            terms = [l for l in pla_text.splitlines() if l and l[0] in "01-"]
            if "--shared" in form:
                want = len({t for l in key("--read", path, "--shared").split() for t in l.split("+")}
                           - {"0"})
                if len(terms) != max(want, 1):
                    faults.append(f"pla {name}: {len(terms)} terms, --shared has {want}")
            abc = subprocess.run(["berkeley-abc", "-c", f"read_pla {work}/m.pla; print_stats"],
                                 capture_output=True, text=True)
            io = re.search(r"i/o =\s*(\d+)/\s*(\d+)", abc.stdout)
            if abc.returncode != 0 or not io or io.groups() != ("4", str(len(outputs))):
                faults.append(f"pla {name}: berkeley-abc: {abc.stdout}{abc.stderr}")
            got = [{} for _ in outputs]
            for m in range(16):
                bits = "".join(map(str, inputs(m)))
                for j in range(len(outputs)):
                    got[j][m] = int(any(l.split()[1][j] == "1" and
                                        all(c in ("-", b) for c, b in zip(l.split()[0], bits))
                                        for l in terms))
            held("pla " + name, outputs, got)


def main():
    tools = {"verilog": ["iverilog", "vvp"], "vhdl": ["ghdl"], "c": ["gcc"], "python": [],
             "latex": ["pdflatex"], "pla": ["berkeley-abc"],
             "several_outputs": ["iverilog", "vvp", "ghdl", "berkeley-abc", "gcc"]}
    with tempfile.TemporaryDirectory() as work:
        for name, needs in tools.items():
            missing = [t for t in needs if shutil.which(t) is None]
            if missing:
                faults.append(f"{name}: {', '.join(missing)} missing (scripts/deps test)")
                continue
            globals()[name](work)
    for fault in faults:
        print(fault)
    if not faults:
        print(f"every format agrees with {len(list(cases()))} answers on every cell")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
