#!/usr/bin/env python3
# mirelka-cli end to end: statuses, messages, --utf8, key files (trisel-cli's
# terminal test meets the password prompt both programs share).
import os, pathlib, subprocess, sys, tempfile, unittest  # noqa: E401

D = b"\x7f"


class CliTest(unittest.TestCase):
    def setUp(self):
        self.tmp = self.enterContext(tempfile.TemporaryDirectory())
        self.pw = self.file("pw.txt", b"secret\n")
        os.environ["MIRELKA_REGISTRY_FILE"] = os.path.join(self.tmp, "registry")

    def file(self, name, data=b""):
        (path := pathlib.Path(self.tmp, name)).write_bytes(data)
        return str(path)

    def run_cli(self, data, *args, password=True):
        argv = [CLI] + (["--password-file", self.pw] if password else []) + list(args)
        p = subprocess.run(argv, input=data, capture_output=True, timeout=30, start_new_session=True)
        return p.returncode, p.stdout, p.stderr.decode("utf-8")

    def test_codes_and_refuses(self):
        # "secret" keys with "terces6": 'a' ^ ('t' & 0x3F) = 'U', and so on.
        self.assertEqual((0, D + b"UGQ" + D, ""), self.run_cli(b"abc"))
        plain = "비밀 메시지: 내일 3시, 정문 앞 [확인] 漢字\r\n"
        cipher = self.run_cli(plain.encode("cp949"))[1]
        self.assertEqual((0, cipher.decode("cp949").encode(), ""), self.run_cli(plain.encode(), "--utf8"))
        self.assertEqual(("\x7f" + plain + "\x7f").encode(), self.run_cli(cipher.decode("cp949").encode(), "--utf8")[1])
        # Extended syllables come out with trails CP949 does not define.
        ext = b"".join(bytes((0xB0 + i % 0x16, 0x41 + i % 26)) for i in range(40))
        for data, args, message, status in (
                (b"a" + D, [], "현재 선택한 영역에서는 총 ( 1 ) 개가 발견됐습니다.", 1),
                (b"x" * 102401, [], "100KB 이상의 데이터를 선택했습니다.", 1),
                (("가" * 51201).encode(), ["--utf8"], "100KB 이상의 데이터를 선택했습니다.", 1),
                (ext.decode("cp949").encode(), ["--utf8"], "has no UTF-8 form", 1),
                ("abc 😀".encode(), ["--utf8"], "not UTF-8 text that CP949 can hold (at byte 4)", 1),
                (b"abc", ["--bogus"], "Usage: mirelka-cli", 2)):
            rc, out, err = self.run_cli(data, *args)
            self.assertTrue(rc == status and out == b"" and message in err, err)
        self.assertEqual(2, self.run_cli(b"abc", password=False)[0])  # no terminal, no password

    def test_the_key_file_stored_for_mirelka_not_trisel(self):
        key = self.file("사진.jpg", bytes((i * 37 + 11) % 256 for i in range(5000)))
        cipher, plain = self.run_cli(b"meet", "--key-file", key)[1], self.run_cli(b"meet")[1]
        for program, path, want in (("Conf", key, cipher), ("Trisel", key, plain)):
            stored = "[HKCU\\Software\\Pelmora\\Mirelka\\%s\\Keycomm]\nCommKeyFile=1:%s00\n"
            pathlib.Path(os.environ["MIRELKA_REGISTRY_FILE"]).write_text(stored % (program, path.encode().hex()))
            self.assertEqual(want, self.run_cli(b"meet")[1], program)


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv.pop(1))
    locales = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout
    os.environ["LC_ALL"] = "ko_KR.UTF-8" if "ko_KR.utf8" in locales else "C.UTF-8"
    unittest.main(verbosity=2)
