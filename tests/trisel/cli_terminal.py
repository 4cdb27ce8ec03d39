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
        """script: (text the terminal must show, line to type), in order.
        Returns (status, stdout, what the terminal showed)."""
        out_path = self.path("out.txt")
        pid, fd = pty.fork()
        if pid == 0:
            os.dup2(os.open(out_path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC), 1)
            os.execv(CLI, [CLI] + args)
        shown, seen, pending = b"", 0, list(script)
        deadline = time.monotonic() + 30
        while True:
            if time.monotonic() > deadline:
                os.kill(pid, signal.SIGKILL)
            if select.select([fd], [], [], 0.05)[0]:
                try:
                    shown += os.read(fd, 4096)
                except OSError:
                    pass
            if pending and shown.find(pending[0][0].encode(), seen) >= 0:
                seen = shown.find(pending[0][0].encode(), seen) + len(pending[0][0].encode())
                os.write(fd, pending.pop(0)[1].encode())
            done, status = os.waitpid(pid, os.WNOHANG)
            if done:
                break
        os.close(fd)
        text = shown.decode("utf-8", "replace")
        self.assertEqual([], pending, text)
        with open(out_path, "rb") as f:
            return os.waitstatus_to_exitcode(status), f.read().decode(), text

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


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv.pop(1))
    os.environ["LC_ALL"] = "ko_KR.UTF-8"
    unittest.main(verbosity=2)
