#!/usr/bin/env python3
# trisel-cli on a pseudo terminal: the hidden password asked twice and taken
# as CP949, the folder options stored. Arg: trisel-cli.
import contextlib, os, pty, select, signal, subprocess, sys, tempfile, time  # noqa: E401


def run_on_terminal(cli, args, script):
    # script: (text to wait for, line to type); returns (status, screen).
    pid, fd = pty.fork()
    if pid == 0:
        os.execv(cli, [cli] + args)
    shown, seen, pending, done = b"", 0, [(w.encode(), t.encode()) for w, t in script], 0
    deadline = time.monotonic() + 30
    while not done:
        if time.monotonic() > deadline:
            os.kill(pid, signal.SIGKILL)
        if select.select([fd], [], [], 0.05)[0]:
            with contextlib.suppress(OSError):
                shown += os.read(fd, 4096)
        if pending and shown.find(pending[0][0], seen) >= 0:
            seen = shown.find(pending[0][0], seen) + len(pending[0][0])
            os.write(fd, pending.pop(0)[1])
        done, status = os.waitpid(pid, os.WNOHANG)
    os.close(fd)
    text = shown.decode("utf-8", "replace")
    assert not pending, "never shown: %r\n%s" % (pending[0][0].decode(), text)
    return os.waitstatus_to_exitcode(status), text


def main(cli, d):
    os.environ.update(MIRELKA_REGISTRY_FILE=os.path.join(d, "registry"), LC_ALL="ko_KR.UTF-8")
    os.makedirs(os.path.join(d, "A", "B"))
    for name, data in (("x.txt", b"x"), ("B/y.txt", b"y"), ("B/y.doc", b"doc")):
        open(os.path.join(d, "A", name), "wb").write(data)
    a = os.path.join(d, "A")
    rc, shown = run_on_terminal(cli, ["-e", a], [
        ("암호: ", "비밀\n"), ("확인: ", "비밀\n"),
        ("(기본: N) > ", "y\n"), ("(기본: *.*) > ", "*.txt\n")])
    assert rc == 0 and "비밀\r\n" not in shown.replace("비밀 ", ""), shown  # never echoed
    assert os.path.exists(a + "/B/y.txt.tsl") and not os.path.exists(a + "/B/y.doc.tsl"), shown
    registry = open(os.environ["MIRELKA_REGISTRY_FILE"]).read()
    assert "SubDir=4:01000000" in registry and "Filter=1:2a2e74787400" in registry, registry

    # A typed password is CP949, as Trisel.exe's edit gives it: what it made opens
    # with its CP949 bytes from a file, and what those make opens with it typed.
    pw, k = os.path.join(d, "pw"), os.path.join(d, "k.txt")
    open(pw, "wb").write("비밀\n".encode("cp949")), open(k, "wb").write(b"k")
    os.remove(a + "/B/y.txt")
    for mode, path in (("-d", a + "/B/y.txt.tsl"), ("-e", k)):
        assert subprocess.run([cli, mode, "--password-file", pw, "--no-key-file", path],
                              stdin=subprocess.DEVNULL, capture_output=True).returncode == 0, mode
    os.remove(k)
    rc = run_on_terminal(cli, ["-d", "--no-key-file", k + ".tsl"],
                         [("암호: ", "비밀\n"), ("확인: ", "비밀\n")])[0]
    assert rc == 0 and open(a + "/B/y.txt", "rb").read() == b"y" and open(k, "rb").read() == b"k"
    print("all terminal checks passed")


if __name__ == "__main__":
    with tempfile.TemporaryDirectory() as tmp:
        main(os.path.abspath(sys.argv[1]), tmp)
