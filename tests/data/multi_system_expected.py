#!/usr/bin/env python3
"""Writes the satellites the program should show after a recorded multi-system stream.

    tests/data/multi_system_expected.py tests/data/sim_four_systems.nmea > tests/data/sim_four_systems.expected
    tests/data/multi_system_expected.py tests/data/sim_dual_band.nmea > tests/data/sim_dual_band.expected

Worked out here, apart from the program's code, for a stream of NMEA 4.10 and 4.11 receivers
(GSA with a system ID, GSV with a signal ID): the latest GSV group of each talker and signal; a
satellite heard on several signals once, with one SNR per frequency band, that of the band's
lowest signal ID, and the position of its lowest band; the used satellites of each system from
its GSA sentences (consecutive ones of one system add up). One line per satellite, by system
(GPS, SBAS, GLONASS, Galileo, BeiDou, QZSS) and PRN: label, elevation, azimuth, the SNR (of each
band in band order, "snr L1 38 L5 41", when it has several), used or in view.
"""
import os
import sys

ORDER = "GSRECJ"
TALKER_LETTER = {"GP": "G", "GL": "R", "GA": "E", "GB": "C", "GQ": "J"}
SYSTEM_ID_LETTER = {"1": "G", "2": "R", "3": "E", "4": "C", "5": "J"}
BANDS = ["L1", "L2", "L5", "E6", "S"]


def ranges(*spans):
    """{signal: band} from (first, last, band) spans."""
    return {signal: band for first, last, band in spans for signal in range(first, last + 1)}


# NMEA 4.11 signal IDs by system letter; no ID, ID 0 and any ID not listed are L1.
GPS_BANDS = ranges((1, 3, "L1"), (4, 6, "L2"), (7, 8, "L5"))
SIGNAL_BANDS = {
    "G": GPS_BANDS,
    "S": GPS_BANDS,
    "R": ranges((1, 2, "L1"), (3, 4, "L2")),
    "E": ranges((1, 3, "L5"), (4, 5, "E6"), (6, 7, "L1")),
    "C": ranges((1, 4, "L1"), (5, 7, "L5"), (8, 10, "E6"), (11, 12, "L5")),
    "J": ranges((1, 4, "L1"), (5, 6, "L2"), (7, 8, "L5"), (9, 10, "E6")),
    "I": ranges((1, 1, "L5"), (2, 2, "S"), (3, 3, "L5"), (4, 4, "S"), (5, 5, "L1")),
}


def letter_of(letter, prn):
    if letter == "G" and 33 <= prn <= 64:
        return "S"
    if letter == "G" and 193 <= prn <= 202:
        return "J"
    return letter


def number_of(letter, prn):
    if letter == "R" and 65 <= prn <= 96:
        return prn - 64
    if letter == "S":
        return prn + 87
    if letter == "J" and prn >= 193:
        return prn - 192
    return prn


def used_by(letter, prn, used):
    """Listed in its own system's GSA; SBAS and QZSS also by their GPS-range numbers in a GPS GSA."""
    if prn in used.get(letter, set()):
        return True
    in_gps_range = 33 <= prn <= 64 or 193 <= prn <= 202
    return letter in "SJ" and in_gps_range and prn in used.get("G", set())


def checksum_ok(sentence):
    body, _, digits = sentence[1:].partition("*")
    x = 0
    for ch in body:
        x ^= ord(ch)
    return len(digits) >= 2 and int(digits[:2], 16) == x


def main():
    text = open(sys.argv[1], "rb").read().decode("latin-1")
    groups = {}     # (talker, signal) -> {prn: (el, az, snr)} of the latest whole group
    building = {}
    used = {}       # letter -> set of PRNs
    last_gsa = None
    for line in text.split("\r\n"):
        if not line.startswith("$") or not checksum_ok(line):
            continue
        fields = line[1:line.index("*")].split(",")
        talker, kind = fields[0][:2], fields[0][2:]
        if kind in ("GGA", "RMC"):
            last_gsa = None
        elif kind == "GSA":
            letter = SYSTEM_ID_LETTER[fields[18]]
            prns = {int(f) for f in fields[3:15] if f}
            if last_gsa == letter:
                used[letter] |= prns
            else:
                used[letter] = prns
            last_gsa = letter
        elif kind == "GSV":
            count, number = int(fields[1]), int(fields[2])
            signal = int(fields[-1], 16)
            key = (talker, signal)
            if number == 1:
                building[key] = {}
            blocks = fields[4:-1]
            for i in range(0, len(blocks) - 3, 4):
                prn, el, az, snr = blocks[i:i + 4]
                building[key][int(prn)] = (int(el), int(az), int(snr) if snr else 0)
            if number == count:
                groups[key] = building.pop(key)
    heard = {}      # (letter, prn) -> {band: (signal, el, az, snr)}
    for (talker, signal), satellites in groups.items():
        for prn, (el, az, snr) in satellites.items():
            letter = letter_of(TALKER_LETTER[talker], prn)
            band = SIGNAL_BANDS[letter].get(signal, "L1")
            bands = heard.setdefault((letter, prn), {})
            if band not in bands or signal < bands[band][0]:
                bands[band] = (signal, el, az, snr)
    name = os.path.basename(sys.argv[1])
    print("# Satellites after %s and one more '$'; made by multi_system_expected.py." % name)
    for (letter, prn) in sorted(heard, key=lambda k: (ORDER.index(k[0]), k[1])):
        bands = heard[(letter, prn)]
        in_order = [b for b in BANDS if b in bands]
        _, el, az, snr = bands[in_order[0]]
        if len(in_order) > 1:
            snr_text = " ".join("%s %d" % (b, bands[b][3]) for b in in_order)
        else:
            snr_text = "%d" % snr
        state = "used" if used_by(letter, prn, used) else "in view"
        print("%s%02d el %d az %d snr %s %s" % (letter, number_of(letter, prn), el, az, snr_text, state))

if __name__ == "__main__":
    main()
