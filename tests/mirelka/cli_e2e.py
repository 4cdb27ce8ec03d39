#!/usr/bin/env python3
"""mirelka-cli end to end: exit statuses, messages, --utf8, password file,
common key file and the password asked on a (pseudo) terminal."""
import os
import pty
import select
import signal
import subprocess
import sys
import tempfile
import time
import unittest

CLI = None
D = b"\x7f"


def cp949(text):
    return text.encode("cp949")


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
        rc, out, err = result
        self.assertEqual(status, rc, err)
        self.assertEqual(b"", out)
        self.assertIn(message, err)

    def test_encrypts_and_decrypts_cp949_bytes(self):
        # "secret" keys with "terces6": 'a' ^ ('t' & 0x3F) = 'U', and so on.
        self.assertEqual((0, D + b"UGQ" + D, ""), self.run_cli(b"abc"))
        plain = cp949("안녕하세요, 세계! (괄호) 漢字\r\n둘째 줄 123")
        rc, cipher, _ = self.run_cli(plain)
        self.assertEqual(0, rc)
        self.assertEqual(len(plain) + 2, len(cipher))
        self.assertNotEqual(D + plain + D, cipher)
        self.assertEqual((0, D + plain + D, ""), self.run_cli(cipher))
        # Text around the block is kept.
        self.assertEqual(b"before " + D + plain + D + b" after", self.run_cli(b"before " + cipher + b" after")[1])

    def test_utf8_converts_both_ways(self):
        plain = "비밀 메시지: 내일 3시, 정문 앞 [확인]\n"
        rc, cipher, err = self.run_cli(plain.encode("utf-8"), "--utf8")
        self.assertEqual(0, rc, err)
        self.assertEqual(self.run_cli(cp949(plain))[1].decode("cp949"), cipher.decode("utf-8"))
        self.assertEqual((0, ("\x7f" + plain + "\x7f").encode("utf-8"), ""), self.run_cli(cipher, "--utf8"))

    def test_utf8_refuses_what_it_cannot_convert(self):
        # Extended syllables (trails below 0xA1) come out with trails that
        # CP949 does not define.
        plain = b"".join(bytes((0xB0 + i % 0x16, 0x41 + i % 26)) for i in range(40))
        plain.decode("cp949")  # all of them are syllables
        rc, cipher, _ = self.run_cli(plain)
        self.assertEqual(0, rc)
        with self.assertRaises(UnicodeDecodeError):
            cipher.decode("cp949")
        self.assert_fails(self.run_cli(plain.decode("cp949").encode("utf-8"), "--utf8"), "has no UTF-8 form")
        self.assert_fails(self.run_cli(b"\xff\xfe abc", "--utf8"), "not UTF-8 text that CP949 can hold (at byte 0)")
        self.assert_fails(self.run_cli("abc 😀".encode("utf-8"), "--utf8"), "(at byte 4)")

    def test_refusals_say_the_systems_message(self):
        self.assert_fails(self.run_cli(b""), "the input is empty")
        for count in (1, 3):
            self.assert_fails(self.run_cli(b"a" + D * count + b"b"),
                              "현재 선택한 영역에서는 총 ( %d ) 개가 발견됐습니다." % count)
        too_large = "100KB 이상의 데이터를 선택했습니다. 다음 방안으로 작업하십시오."
        self.assert_fails(self.run_cli(b"x" * 102401), too_large)
        self.assert_fails(self.run_cli(cp949("가") * 51201), too_large)
        self.assert_fails(self.run_cli(("가" * 51201).encode("utf-8"), "--utf8"), too_large)
        rc, out, _ = self.run_cli(b"x" * 102400)
        self.assertEqual((0, 102402), (rc, len(out)))

    def test_password_file(self):
        crlf = self.file("crlf.txt", b"secret\r\nsecond line\n")
        self.assertEqual(D + b"UGQ" + D, self.run_cli(b"abc", "--password-file", crlf, password=False)[1])
        no_end = self.file("noend.txt", b"secret")
        self.assertEqual(D + b"UGQ" + D, self.run_cli(b"abc", "--password-file", no_end, password=False)[1])
        empty = self.file("empty.txt", b"\nsecret\n")
        self.assert_fails(self.run_cli(b"abc", "--password-file", empty, password=False),
                          "<암호(Password)>를 입력하십시오.")
        self.assert_fails(self.run_cli(b"abc", "--password-file", os.path.join(self.tmp.name, "none"),
                                       password=False), "cannot read the password file")

    def test_common_key_file(self):
        key = self.file("사진.jpg", bytes((i * 37 + 11) % 256 for i in range(5000)))
        rc, with_key, err = self.run_cli(b"meet at noon", "--key-file", key)
        self.assertEqual(0, rc, err)
        self.assertNotEqual(self.run_cli(b"meet at noon")[1], with_key)
        self.assertEqual(D + b"meet at noon" + D, self.run_cli(with_key, "--key-file", key)[1])
        self.assertNotEqual(D + b"meet at noon" + D, self.run_cli(with_key)[1])

        missing = os.path.join(self.tmp.name, "없는 파일.bin")
        self.assert_fails(self.run_cli(b"abc", "--key-file", missing),
                          "공통 키 파일을 찾을 수 없습니다.\n( %s )" % missing)
        small = self.file("small.bin", b"x" * 1023)
        self.assert_fails(self.run_cli(b"abc", "--key-file", small), "공통 키 파일은 1KB 이상의 크기만 허용됩니다.")
        self.assert_fails(self.run_cli(b"abc", "--key-file", self.tmp.name), "공통 키 파일")

    def test_usage(self):
        for args in (["--bogus"], ["--password-file"], ["file.txt"]):
            rc, out, err = self.run_cli(b"abc", *args, password=False)
            self.assertEqual(2, rc)
            self.assertEqual(b"", out)
            self.assertIn("Usage: mirelka-cli", err)
        rc, out, err = self.run_cli(b"", "--help", password=False)
        self.assertEqual(0, rc)
        text = out.decode()
        for needle in ("--password-file FILE", "--key-file PATH", "--utf8", "Exit status", "102400", "  2  bad usage"):
            self.assertIn(needle, text)
        # No terminal to ask the password on.
        self.assert_fails(self.run_cli(b"abc", password=False), "give --password-file", status=2)

    def on_terminal(self, data, answers):
        """Runs the program with a pseudo terminal as its controlling
        terminal; answers the prompts; returns (status, stdout, stderr, what
        the terminal showed)."""
        inp = self.file("in.bin", data)
        out_path = os.path.join(self.tmp.name, "out.bin")
        err_path = os.path.join(self.tmp.name, "err.txt")
        pid, fd = pty.fork()
        if pid == 0:
            # Keep the terminal open in the child: with no slave left open the
            # master reads as hung up before the program opens /dev/tty.
            os.set_inheritable(os.dup(0), True)
            os.dup2(os.open(inp, os.O_RDONLY), 0)
            os.dup2(os.open(out_path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC), 1)
            os.dup2(os.open(err_path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC), 2)
            os.execv(CLI, [CLI])
        shown = b""
        pending = list(answers)
        deadline = time.monotonic() + 20
        status = None
        while status is None:
            if time.monotonic() > deadline:
                os.kill(pid, signal.SIGKILL)
                os.waitpid(pid, 0)
                os.close(fd)
                self.fail("no answer from the program; the terminal showed %r" % shown)
            ready, _, _ = select.select([fd], [], [], 0.1)
            if ready:
                try:
                    shown += os.read(fd, 1024)
                except OSError:
                    pass
                # Each prompt ends in "): " and is shown once echo is off.
                if pending and shown.count(b"): ") > len(answers) - len(pending):
                    os.write(fd, pending.pop(0))
            done, st = os.waitpid(pid, os.WNOHANG)
            if done:
                status = st
        os.close(fd)
        with open(out_path, "rb") as f, open(err_path, "rb") as g:
            return os.waitstatus_to_exitcode(status), f.read(), g.read().decode(), shown.decode("utf-8", "replace")

    def test_password_asked_twice_without_echo(self):
        rc, out, err, shown = self.on_terminal(b"abc", [b"secret\n", b"secret\n"])
        self.assertEqual((0, D + b"UGQ" + D), (rc, out), err)
        self.assertIn("암호(Password):", shown)
        self.assertIn("확인(Confirm):", shown)
        self.assertNotIn("secret", shown)

        # Typed in the terminal's UTF-8, used as CP949 bytes.
        korean = self.file("korean.txt", cp949("비밀번호") + b"\n")
        expected = self.run_cli(b"abc", "--password-file", korean, password=False)[1]
        rc, out, err, _ = self.on_terminal(b"abc", ["비밀번호\n".encode(), "비밀번호\n".encode()])
        self.assertEqual((0, expected), (rc, out), err)

        rc, out, err, _ = self.on_terminal(b"abc", [b"secret\n", b"secret \n"])
        self.assertEqual((1, b""), (rc, out))
        self.assertIn("<암호(Password)>와 <확인(Confirm)>이 일치하지 않습니다.", err)
        rc, out, err, _ = self.on_terminal(b"abc", [b"\n", b"\n"])
        self.assertEqual(1, rc)
        self.assertIn("<암호(Password)>와 <확인(Confirm)>을 입력하십시오.", err)


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv.pop(1))
    os.environ["LC_ALL"] = "ko_KR.UTF-8" if "ko_KR.utf8" in subprocess.run(
        ["locale", "-a"], capture_output=True, text=True).stdout else "C.UTF-8"
    unittest.main(verbosity=2)
