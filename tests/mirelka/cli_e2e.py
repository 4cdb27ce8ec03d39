#!/usr/bin/env python3
"""mirelka-cli end to end: exit statuses, messages, --utf8, the password
file, the common key file and the password asked on a pseudo terminal."""
import os
import pty
import select
import subprocess
import sys
import tempfile
import time
import unittest

CLI = None
D = b"\x7f"


class CliTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.addCleanup(self.tmp.cleanup)
        self.pw = self.file("pw.txt", b"secret\n")

    def file(self, name, data):
        path = os.path.join(self.tmp.name, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def run_cli(self, data, *args, password=True):
        argv = [CLI] + (["--password-file", self.pw] if password else []) + list(args)
        p = subprocess.run(argv, input=data, capture_output=True, timeout=30, start_new_session=True)
        return p.returncode, p.stdout, p.stderr.decode("utf-8")

    def assert_fails(self, result, message, status=1):
        self.assertEqual((status, b""), result[:2], result[2])
        self.assertIn(message, result[2])

    def test_codes_cp949_and_utf8(self):
        # "secret" keys with "terces6": 'a' ^ ('t' & 0x3F) = 'U', and so on.
        self.assertEqual((0, D + b"UGQ" + D, ""), self.run_cli(b"abc"))
        plain = "비밀 메시지: 내일 3시, 정문 앞 [확인] 漢字\r\n"
        rc, cipher, _ = self.run_cli(plain.encode("cp949"))
        self.assertEqual((0, len(plain.encode("cp949")) + 2), (rc, len(cipher)))
        self.assertEqual(D + plain.encode("cp949") + D + b"!", self.run_cli(cipher + b"!")[1])
        self.assertEqual((0, cipher.decode("cp949").encode(), ""), self.run_cli(plain.encode(), "--utf8"))
        self.assertEqual(("\x7f" + plain + "\x7f").encode(), self.run_cli(cipher.decode("cp949").encode(), "--utf8")[1])
        # Extended syllables come out with trails CP949 does not define.
        ext = b"".join(bytes((0xB0 + i % 0x16, 0x41 + i % 26)) for i in range(40))
        self.assertRaises(UnicodeDecodeError, self.run_cli(ext)[1].decode, "cp949")
        self.assert_fails(self.run_cli(ext.decode("cp949").encode(), "--utf8"), "has no UTF-8 form")
        self.assert_fails(self.run_cli("abc 😀".encode(), "--utf8"), "not UTF-8 text that CP949 can hold (at byte 4)")

    def test_refusals_say_the_systems_message(self):
        self.assert_fails(self.run_cli(b""), "the input is empty")
        for count in (1, 3):
            self.assert_fails(self.run_cli(b"a" + D * count), "현재 선택한 영역에서는 총 ( %d ) 개가 발견됐습니다." % count)
        too_large = "100KB 이상의 데이터를 선택했습니다. 다음 방안으로 작업하십시오."
        self.assert_fails(self.run_cli(b"x" * 102401), too_large)
        self.assert_fails(self.run_cli(("가" * 51201).encode(), "--utf8"), too_large)
        self.assertEqual(102402, len(self.run_cli(b"x" * 102400)[1]))
        self.assert_fails(self.run_cli(b"abc", "--password-file", self.file("e", b"\nsecret\n"), password=False),
                          "<암호(Password)>를 입력하십시오.")
        self.assert_fails(self.run_cli(b"abc", "--password-file", "/none", password=False), "cannot read the password file")
        self.assertEqual(D + b"UGQ" + D, self.run_cli(b"abc", "--password-file", self.file("c", b"secret\r\nx"), password=False)[1])

    def test_common_key_file(self):
        key = self.file("사진.jpg", bytes((i * 37 + 11) % 256 for i in range(5000)))
        rc, cipher, err = self.run_cli(b"meet at noon", "--key-file", key)
        self.assertEqual(0, rc, err)
        self.assertNotEqual(self.run_cli(b"meet at noon")[1], cipher)
        self.assertEqual(D + b"meet at noon" + D, self.run_cli(cipher, "--key-file", key)[1])
        missing = os.path.join(self.tmp.name, "없는 파일.bin")
        self.assert_fails(self.run_cli(b"abc", "--key-file", missing), "공통 키 파일을 찾을 수 없습니다.\n( %s )" % missing)
        small = self.file("small.bin", b"x" * 1023)
        self.assert_fails(self.run_cli(b"abc", "--key-file", small), "공통 키 파일은 1KB 이상의 크기만 허용됩니다.")

    def test_usage(self):
        for args in (["--bogus"], ["--password-file"], ["file.txt"]):
            rc, out, err = self.run_cli(b"abc", *args, password=False)
            self.assertEqual((2, b""), (rc, out))
            self.assertIn("Usage: mirelka-cli", err)
        rc, out, _ = self.run_cli(b"", "--help", password=False)
        self.assertEqual(0, rc)
        for needle in (b"--password-file FILE", b"--key-file PATH", b"--utf8", b"Exit status", b"  2  bad usage"):
            self.assertIn(needle, out)
        self.assert_fails(self.run_cli(b"abc", password=False), "give --password-file", status=2)  # no terminal

    def on_terminal(self, answers):
        """Runs the program on "abc" with a pseudo terminal as its
        controlling terminal and answers its prompts; returns (status,
        stdout, stderr, what the terminal showed)."""
        inp, out, err = self.file("in", b"abc"), self.file("out", b""), self.file("err", b"")
        pid, fd = pty.fork()
        if pid == 0:
            os.set_inheritable(os.dup(0), True)  # the master reads as hung up once no slave is open
            for target, path, mode in ((0, inp, os.O_RDONLY), (1, out, os.O_WRONLY), (2, err, os.O_WRONLY)):
                os.dup2(os.open(path, mode), target)
            os.execv(CLI, [CLI])
        shown, pending, deadline, status = b"", list(answers), time.monotonic() + 20, None
        while status is None:
            if time.monotonic() > deadline:
                os.kill(pid, 9)
                os.waitpid(pid, 0)
                self.fail("no answer; the terminal showed %r" % shown)
            if select.select([fd], [], [], 0.1)[0]:
                try:
                    shown += os.read(fd, 1024)
                except OSError:
                    pass
                # Each prompt ends in "): " and is shown once echo is off.
                if pending and shown.count(b"): ") > len(answers) - len(pending):
                    os.write(fd, pending.pop(0))
            done, st = os.waitpid(pid, os.WNOHANG)
            status = st if done else None
        os.close(fd)
        with open(out, "rb") as f, open(err, "rb") as g:
            return os.waitstatus_to_exitcode(status), f.read(), g.read().decode(), shown.decode("utf-8", "replace")

    def test_password_asked_twice_without_echo(self):
        rc, out, err, shown = self.on_terminal([b"secret\n", b"secret\n"])
        self.assertEqual((0, D + b"UGQ" + D), (rc, out), err)
        self.assertIn("암호(Password):", shown)
        self.assertIn("확인(Confirm):", shown)
        self.assertNotIn("secret", shown)
        # Typed in the terminal's UTF-8, used as CP949 bytes.
        expected = self.run_cli(b"abc", "--password-file", self.file("k", "비밀번호".encode("cp949")), password=False)[1]
        self.assertEqual(expected, self.on_terminal(["비밀번호\n".encode()] * 2)[1])
        rc, out, err, _ = self.on_terminal([b"secret\n", b"secret \n"])
        self.assertEqual((1, b""), (rc, out))
        self.assertIn("<암호(Password)>와 <확인(Confirm)>이 일치하지 않습니다.", err)
        self.assertIn("<암호(Password)>와 <확인(Confirm)>을 입력하십시오.", self.on_terminal([b"\n", b"\n"])[2])


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv.pop(1))
    locales = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout
    os.environ["LC_ALL"] = "ko_KR.UTF-8" if "ko_KR.utf8" in locales else "C.UTF-8"
    # No common key file stored in the user's settings.
    settings = tempfile.TemporaryDirectory()
    os.environ["MIRELKA_REGISTRY_FILE"] = os.path.join(settings.name, "registry")
    unittest.main(verbosity=2)
