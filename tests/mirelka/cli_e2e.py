#!/usr/bin/env python3
"""mirelka-cli end to end: statuses, messages, --utf8, key files, the password in a file or on a terminal."""
import contextlib, os, pathlib, pty, select, subprocess, sys, tempfile, time, unittest  # noqa: E401

CLI = None
D = b"\x7f"
TOO_LARGE = "100KB 이상의 데이터를 선택했습니다. 다음 방안으로 작업하십시오."


class CliTest(unittest.TestCase):
    def setUp(self):
        self.tmp = self.enterContext(tempfile.TemporaryDirectory())
        self.pw = self.file("pw.txt", b"secret\n")
        os.environ["MIRELKA_REGISTRY_FILE"] = os.path.join(self.tmp, "registry")  # none stored

    def file(self, name, data=b""):
        (path := pathlib.Path(self.tmp, name)).write_bytes(data)
        return str(path)

    def run_cli(self, data, *args, password=True):
        argv = [CLI] + (["--password-file", self.pw] if password and "--password-file" not in args else []) + list(args)
        p = subprocess.run(argv, input=data, capture_output=True, timeout=30, start_new_session=True)
        return p.returncode, p.stdout, p.stderr.decode("utf-8")

    def assert_fails(self, result, message, status=1):
        self.assertEqual((status, b""), result[:2], result[2])
        self.assertIn(message, result[2])

    def test_codes_cp949_and_utf8(self):
        # "secret" keys with "terces6": 'a' ^ ('t' & 0x3F) = 'U', and so on.
        self.assertEqual((0, D + b"UGQ" + D, ""), self.run_cli(b"abc"))
        self.assertEqual(D + b"UGQ" + D, self.run_cli(b"abc", "--password-file", self.file("c", b"secret\r\nx"))[1])
        plain = "비밀 메시지: 내일 3시, 정문 앞 [확인] 漢字\r\n"
        rc, cipher, _ = self.run_cli(plain.encode("cp949"))
        self.assertEqual((0, len(plain.encode("cp949")) + 2), (rc, len(cipher)))
        self.assertEqual(D + plain.encode("cp949") + D + b"!", self.run_cli(cipher + b"!")[1])
        self.assertEqual((0, cipher.decode("cp949").encode(), ""), self.run_cli(plain.encode(), "--utf8"))
        self.assertEqual(("\x7f" + plain + "\x7f").encode(), self.run_cli(cipher.decode("cp949").encode(), "--utf8")[1])
        self.assertEqual(102402, len(self.run_cli(b"x" * 102400)[1]))

    def test_refusals_say_the_systems_message(self):
        # Extended syllables come out with trails CP949 does not define.
        ext = b"".join(bytes((0xB0 + i % 0x16, 0x41 + i % 26)) for i in range(40))
        self.assertRaises(UnicodeDecodeError, self.run_cli(ext)[1].decode, "cp949")
        for data, args, message in (
                (b"", [], "the input is empty"),
                (b"a" + D, [], "현재 선택한 영역에서는 총 ( 1 ) 개가 발견됐습니다."),
                (b"x" * 102401, [], TOO_LARGE),
                (("가" * 51201).encode(), ["--utf8"], TOO_LARGE),
                (ext.decode("cp949").encode(), ["--utf8"], "has no UTF-8 form"),
                ("abc 😀".encode(), ["--utf8"], "not UTF-8 text that CP949 can hold (at byte 4)"),
                (b"abc", ["--password-file", self.file("e", b"\nsecret\n")], "<암호(Password)>를 입력하십시오."),
                (b"abc", ["--password-file", "/none"], "cannot read the password file")):
            self.assert_fails(self.run_cli(data, *args), message)

    def store_key_file(self, program, path):
        pathlib.Path(os.environ["MIRELKA_REGISTRY_FILE"]).write_text("[HKCU\\Software\\Pelmora\\Mirelka\\%s\\Keycomm]\nCommKeyFile=1:%s00\n" % (program, path.encode().hex()))

    def test_common_key_file_given_or_stored(self):
        key = self.file("사진.jpg", bytes((i * 37 + 11) % 256 for i in range(5000)))
        cipher, plain = self.run_cli(b"meet at noon", "--key-file", key)[1], self.run_cli(b"meet at noon")[1]
        self.assertNotEqual(plain, cipher)
        self.assertEqual(D + b"meet at noon" + D, self.run_cli(cipher, "--key-file", key)[1])
        missing = os.path.join(self.tmp, "없는 파일.bin")
        self.assert_fails(self.run_cli(b"abc", "--key-file", missing), "공통 키 파일을 찾을 수 없습니다.\n( %s )" % missing)
        small = self.file("small.bin", b"x" * 1023)
        self.assert_fails(self.run_cli(b"abc", "--key-file", small), "공통 키 파일은 1KB 이상의 크기만 허용됩니다.")
        # Without --key-file the one stored for Mirelka is used, not Trisel's.
        self.store_key_file("Conf", key)
        self.assertEqual(cipher, self.run_cli(b"meet at noon")[1])
        self.store_key_file("Trisel", key)
        self.assertEqual(plain, self.run_cli(b"meet at noon")[1])
        self.store_key_file("Conf", missing)
        self.assert_fails(self.run_cli(b"abc"), "공통 키 파일을 찾을 수 없습니다.")

    def test_usage(self):
        for args in (["--bogus"], ["--password-file"], ["file.txt"]):
            self.assert_fails(self.run_cli(b"abc", *args, password=False), "Usage: mirelka-cli", status=2)
        rc, out, _ = self.run_cli(b"", "--help", password=False)
        self.assertEqual(0, rc)
        self.assertRegex(out, b"(?s)--password-file FILE.*--key-file PATH.*--utf8.*Exit status.*\n  2  bad usage")
        self.assert_fails(self.run_cli(b"abc", password=False), "give --password-file", status=2)  # no terminal

    def on_terminal(self, answers):
        """Runs on "abc" with a pseudo terminal as the controlling terminal, answering the prompts."""
        inp, out, err = self.file("in", b"abc"), self.file("out"), self.file("err")
        pid, fd = pty.fork()
        if pid == 0:
            os.set_inheritable(os.dup(0), True)  # the master reads as hung up once no slave is open
            for target, path, mode in ((0, inp, os.O_RDONLY), (1, out, os.O_WRONLY), (2, err, os.O_WRONLY)):
                os.dup2(os.open(path, mode), target)
            os.execv(CLI, [CLI])
        shown, pending, deadline, status = b"", list(answers), time.monotonic() + 20, None
        while status is None:
            if time.monotonic() > deadline:
                os.kill(pid, 9), os.waitpid(pid, 0), self.fail("no answer; the terminal showed %r" % shown)
            if select.select([fd], [], [], 0.1)[0]:
                with contextlib.suppress(OSError):
                    shown += os.read(fd, 1024)
                # Each prompt ends in "): " and is shown once echo is off.
                if pending and shown.count(b"): ") > len(answers) - len(pending):
                    os.write(fd, pending.pop(0))
            done, st = os.waitpid(pid, os.WNOHANG)
            status = st if done else None
        os.close(fd)
        out, err = pathlib.Path(out).read_bytes(), pathlib.Path(err).read_text()
        return os.waitstatus_to_exitcode(status), out, err, shown.decode("utf-8", "replace")

    def test_password_asked_twice_without_echo(self):
        rc, out, err, shown = self.on_terminal([b"secret\n", b"secret\n"])
        self.assertEqual((0, D + b"UGQ" + D), (rc, out), err)
        self.assertRegex(shown, "(?s)^(?!.*secret).*암호\\(Password\\):.*확인\\(Confirm\\):")
        # Typed in the terminal's UTF-8, used as CP949 bytes.
        expected = self.run_cli(b"abc", "--password-file", self.file("k", "비밀번호".encode("cp949")), password=False)[1]
        self.assertEqual(expected, self.on_terminal(["비밀번호\n".encode()] * 2)[1])
        self.assert_fails(self.on_terminal([b"secret\n", b"secret \n"]), "<암호(Password)>와 <확인(Confirm)>이 일치하지 않습니다.")
        self.assert_fails(self.on_terminal([b"\n", b"\n"]), "<암호(Password)>와 <확인(Confirm)>을 입력하십시오.")


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv.pop(1))
    locales = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout
    os.environ["LC_ALL"] = "ko_KR.UTF-8" if "ko_KR.utf8" in locales else "C.UTF-8"
    unittest.main(verbosity=2)
