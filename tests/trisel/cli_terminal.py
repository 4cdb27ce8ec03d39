#!/usr/bin/env python3
"""trisel-cli on a (pseudo) terminal: the hidden password asked twice with
Trisel's checks, the folder options asked with the stored defaults, and the
overwrite question. Usage: cli_terminal.py path/to/trisel-cli"""
import os
import pty
import select
import signal
import sys
import tempfile
import time
import unittest

CLI = None


class TerminalTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.dir = self.tmp.name
        os.environ["MIRELKA_REGISTRY_FILE"] = os.path.join(self.dir, "registry")

    def tearDown(self):
        self.tmp.cleanup()

    def path(self, *parts):
        return os.path.join(self.dir, *parts)

    def write(self, name, data):
        os.makedirs(os.path.dirname(self.path(name)), exist_ok=True)
        with open(self.path(name), "wb") as f:
            f.write(data)

    def run_on_terminal(self, args, script):
        """script: (text the terminal must show, line to type) in order.
        Returns (status, stdout, what the terminal showed)."""
        out_path = self.path("out.txt")
        pid, fd = pty.fork()
        if pid == 0:
            os.dup2(os.open(out_path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC), 1)
            os.execv(CLI, [CLI] + args)
        shown = b""
        pending = list(script)
        seen = 0
        deadline = time.monotonic() + 30
        status = None
        while status is None:
            if time.monotonic() > deadline:
                os.kill(pid, signal.SIGKILL)
                os.waitpid(pid, 0)
                os.close(fd)
                self.fail("stuck; the terminal showed %r" % shown.decode("utf-8", "replace"))
            ready, _, _ = select.select([fd], [], [], 0.05)
            if ready:
                try:
                    shown += os.read(fd, 4096)
                except OSError:
                    pass
            if pending:
                want = pending[0][0].encode()
                at = shown.find(want, seen)
                if at >= 0:
                    seen = at + len(want)
                    os.write(fd, pending.pop(0)[1].encode())
            done, st = os.waitpid(pid, os.WNOHANG)
            if done:
                status = st
        os.close(fd)
        self.assertEqual([], pending, shown.decode("utf-8", "replace"))
        with open(out_path, "rb") as f:
            return os.waitstatus_to_exitcode(status), f.read().decode(), shown.decode("utf-8", "replace")

    def registry(self):
        with open(os.environ["MIRELKA_REGISTRY_FILE"]) as f:
            return f.read()

    def test_password_and_folder_options_on_the_terminal(self):
        self.write("A/x.txt", b"x")
        self.write("A/B/y.txt", b"y")
        self.write("A/B/y.doc", b"doc")
        rc, out, shown = self.run_on_terminal(["-e", self.path("A")], [
            ("암호: ", "비밀\n"), ("확인: ", "비말\n"),
            ("일치하지 않습니다.", ""),
            ("암호: ", "비밀\n"), ("확인: ", "비밀\n"),
            ("(기본: N) > ", "y\n"),
            ("(기본: *.*) > ", "*.txt\n"),
        ])
        self.assertEqual(0, rc, shown)
        self.assertNotIn("비밀\r\n", shown.replace("비밀 ", ""))  # never echoed
        self.assertIn("작업 완료", shown)
        self.assertIn(" : (ok) " + self.path("A", "B", "y.txt"), out)
        self.assertTrue(os.path.exists(self.path("A", "B", "y.txt.tsl")))
        self.assertFalse(os.path.exists(self.path("A", "B", "y.doc.tsl")))
        self.assertIn("SubDir=4:01000000", self.registry())
        self.assertIn("Filter=1:2a2e74787400", self.registry())

        # The next run offers what was stored; the overwrite question is asked.
        rc, out, shown = self.run_on_terminal(["-e", self.path("A")], [
            ("암호: ", "비밀\n"), ("확인: ", "비밀\n"),
            ("(기본: Y) > ", "\n"),
            ("(기본: *.txt) > ", "\n"),
            ("덮어쓰겠습니까?", ""), ("[C] 취소 > ", "o\n"),
        ])
        self.assertEqual(1, rc, shown)
        self.assertIn("동일한 파일이 이미 존재합니다.", shown)
        self.assertEqual(2, out.count("(skip)"), out)

    def test_cancel_at_the_overwrite_question(self):
        self.write("x.txt", b"x")
        self.write("x.txt.tsl", b"old")
        rc, out, shown = self.run_on_terminal(["-e", "--no-key-file", self.path("x.txt")], [
            ("암호: ", "pw\n"), ("확인: ", "pw\n"), ("[C] 취소 > ", "c\n"),
        ])
        self.assertEqual(3, rc, shown)
        self.assertIn("(cancel)", out)
        self.assertIn("작업 중지", shown)
        with open(self.path("x.txt.tsl"), "rb") as f:
            self.assertEqual(b"old", f.read())


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv.pop(1))
    os.environ["LC_ALL"] = "ko_KR.UTF-8"
    unittest.main(verbosity=2)
