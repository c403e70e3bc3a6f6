#!/usr/bin/env python3
"""Writes the values the program should hold after a recorded stream, for the replay test.

    tests/data/expected_values.py tests/data/sim_cold_start.nmea > tests/data/sim_cold_start.expected

Worked out here, apart from the program's code: the stream is cut at each '$' (the first byte of
a recording is '$', which first closes an empty text), CR LF pairs are dropped, sentences with a
good checksum are decoded field by field, and the last one is closed by one more '$' after the
recording. Banner lines fill the three version fields; a version reply is taken only while the
first of them is empty.
"""
import re
import sys

SLOTS = 40


def to_int(text):
    m = re.fullmatch(r" *([+-]?)(0x[0-9a-fA-F]+|[0-9]+)", text)
    if not m:
        return 0
    value = int(m.group(2), 16) if m.group(2).startswith("0x") else int(m.group(2))
    value = -value if m.group(1) == "-" else value
    return value if -2**31 <= value < 2**31 else 0


def to_num(text):
    if not re.fullmatch(r"[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?", text):
        return 0.0
    return float(text)


def first(text):
    return text[0] if text else "\0"


def fields(text):
    """The completed fields after the address, up to '*'; the last character is never read."""
    out, field = [], ""
    for ch in text[7:len(text) - 1]:
        if ch in ",*":
            out.append(field)
            if ch == "*":
                break
            field = ""
        else:
            field += ch
    return out


def pairs(text):
    whole = int(to_num(text))
    return whole // 10000, whole // 100 % 100, whole % 100


def checksum_ok(text):
    star = text.find("*", 1, len(text) - 1)
    if not text.startswith("$") or star < 0 or star + 3 > len(text) - 1:
        return False
    x = 0
    for ch in text[1:star]:
        x ^= ord(ch)
    return (to_int("0x" + text[star + 1:star + 3]) & 0xFF) == x


class Expected:
    def __init__(self):
        self.v = {"utc": (0, 0, 0), "date": (0, 0, 0), "latitude": 0.0, "lat_hemisphere": "\0",
                  "longitude": 0.0, "lon_hemisphere": "\0", "gga_quality": "\0", "sats_used": 0,
                  "hdop": 0.0, "altitude": 0.0, "fix_mode": "\0", "pdop": 0.0, "gsv_count": 0,
                  "gsv_number": 0, "sats_in_view": 0, "rmc_status": "\0", "speed_knots": 0.0,
                  "course": 0.0, "rmc_mode": "\0"}
        self.used = [0] * SLOTS
        self.table = {name: [0] * SLOTS for name in ("sat_prn", "sat_elevation", "sat_azimuth", "sat_snr")}
        self.calls = {"showPosition": 0, "showDate": 0, "drawSkyPlot": 0}
        self.memo = 0
        self.versions = ["", "", ""]
        self.banner_name = ""
        self.kernel_line = ""

    def gga(self, f):
        names = [None, "latitude", "lat_hemisphere", "longitude", "lon_hemisphere", "gga_quality",
                 "sats_used", "hdop", "altitude"]
        for i, t in enumerate(f[:10]):
            if i == 0:
                self.v["utc"] = pairs(t)
            elif i in (2, 4, 5):
                self.v[names[i]] = first(t)
            elif i == 6:
                self.v["sats_used"] = to_int(t)
            elif 1 <= i <= 8:
                self.v[names[i]] = to_num(t)

    def gsa(self, f):
        for i, t in enumerate(f[:15]):
            if i == 1:
                self.v["fix_mode"] = first(t)
            elif 2 <= i <= 13:
                self.used[i - 2] = to_int(t)
            elif i == 14:
                self.v["pdop"] = to_num(t)

    def gsv(self, f):
        for i, t in enumerate(f[:19]):
            if i < 3:
                self.v[("gsv_count", "gsv_number", "sats_in_view")[i]] = to_int(t)
                continue
            number = self.v["gsv_number"]
            if not 1 <= number <= 10:
                continue
            n = (number - 1) * 4 + (i - 3) // 4
            column = ("sat_prn", "sat_elevation", "sat_azimuth", "sat_snr")[(i - 3) % 4]
            self.table[column][n] = to_int(t)

    def rmc(self, f):
        for i, t in enumerate(f[:12]):
            if i == 0:
                self.v["utc"] = pairs(t)
            elif i == 8:
                self.v["date"] = pairs(t)
            elif i in (1, 3, 5, 11):
                self.v[{1: "rmc_status", 3: "lat_hemisphere", 5: "lon_hemisphere", 11: "rmc_mode"}[i]] = first(t)
            elif i in (2, 4, 6, 7):
                self.v[{2: "latitude", 4: "longitude", 6: "speed_knots", 7: "course"}[i]] = to_num(t)

    def version_reply(self, text, marker):
        if marker not in text or self.versions[0]:
            return
        p = text.find("PLN") + 1
        if len(text) < p + 21:
            return
        byte = lambda at: ord(text[at - 1])
        signed = lambda at: byte(at) - 256 if byte(at) > 127 else byte(at)
        d = signed(p + 12)
        d = d - int(d / 16) * 6
        self.versions[0] = text[max(p, 1) - 1:max(p, 1) - 1 + 12]
        self.versions[1] = "20%02d/%02d/%02d" % (signed(p + 14), signed(p + 13), d)
        self.versions[2] += "       CRC: %X %X" % (byte(p + 21), byte(p + 20))

    def banner(self, text):
        head = text[:4]
        comma = lambda t: t.split(",")[0] if "," in t else ""
        if head in ("$Sky", "$Car", "$UnI", "$Han"):
            self.banner_name = comma(text[1:])
        elif head == "$Ker":
            self.kernel_line = text
        elif head == "$ver":
            name = self.banner_name
            self.versions[0] = name + " Kernel Version " + comma(self.kernel_line[9:19])
            self.kernel_line = comma(text[5:15])
            self.versions[1] = name + " Version " + self.kernel_line
            r = text.find("rev,") + 1
            self.versions[2] = name + " Rversion 20" + text[r + 3:r + 11]
        elif head != "$PLC":
            self.version_reply(text, "%%")

    def sentence(self, text):
        self.memo = 1 if self.memo > 500 else self.memo + 1
        text = text.replace("\r\n", "") + "\n"
        if not checksum_ok(text):
            self.banner(text)
            return
        kind, f = text[3:6], fields(text)
        if kind == "GGA":
            self.gga(f)
            self.calls["showPosition"] += 1
        elif kind == "GSA":
            self.gsa(f)
            self.calls["drawSkyPlot"] += 1
        elif kind == "GSV":
            self.gsv(f)
            if self.v["gsv_number"] == self.v["gsv_count"]:
                self.calls["drawSkyPlot"] += 1
        elif kind == "RMC":
            self.rmc(f)
            self.calls["showDate"] += 1
        self.version_reply(text, "%")


def main():
    stream = open(sys.argv[1], "rb").read().decode("latin-1")
    expected = Expected()
    pieces = stream.split("$")
    # The bytes before the first '$' form a text of their own; the closing '$' ends the last one.
    for text in [pieces[0]] + ["$" + piece for piece in pieces[1:]]:
        expected.sentence(text)
    v = expected.v
    print("# Values after replaying %s and one more '$'; made by expected_values.py." % sys.argv[1].split("/")[-1])
    print("memo_lines", expected.memo)
    for name, count in expected.calls.items():
        print("calls_" + name, count)
    print("utc", *v["utc"])
    print("date", *v["date"])
    for name in ("latitude", "longitude", "hdop", "altitude", "pdop", "speed_knots", "course"):
        print(name, repr(v[name]))
    for name in ("lat_hemisphere", "lon_hemisphere", "gga_quality", "fix_mode", "rmc_status", "rmc_mode"):
        print(name, ord(v[name]))
    for name in ("sats_used", "gsv_count", "gsv_number", "sats_in_view"):
        print(name, v[name])
    print("used_prns", *expected.used)
    for name, column in expected.table.items():
        print(name, *column)
    for index, text in enumerate(expected.versions, 1):
        print("td_vers%d %s" % (index, text))


if __name__ == "__main__":
    main()
