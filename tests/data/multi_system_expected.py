#!/usr/bin/env python3
"""Writes the satellites the program should show after a recorded multi-system stream.

    tests/data/multi_system_expected.py tests/data/sim_four_systems.nmea > tests/data/sim_four_systems.expected

Worked out here, apart from the program's code, for a stream of NMEA 4.10 receivers (GSA with a
system ID, GSV with a signal ID): the latest GSV group of each talker and signal, a satellite
heard on several signals once with the SNR of its lowest signal ID, the used satellites of each
system from its GSA sentences (consecutive ones of one system add up). One line per satellite,
by system (GPS, SBAS, GLONASS, Galileo, BeiDou, QZSS) and PRN: label, elevation, azimuth, SNR,
used or in view.
"""
import sys

ORDER = "GSRECJ"
TALKER_LETTER = {"GP": "G", "GL": "R", "GA": "E", "GB": "C", "GQ": "J"}
SYSTEM_ID_LETTER = {"1": "G", "2": "R", "3": "E", "4": "C", "5": "J"}


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
    shown = {}
    for (talker, signal), satellites in sorted(groups.items(), key=lambda kv: -kv[0][1]):
        for prn, (el, az, snr) in satellites.items():
            letter = letter_of(TALKER_LETTER[talker], prn)
            shown[(letter, prn)] = (el, az, snr)  # the lowest signal comes last and wins
    print("# Satellites after sim_four_systems.nmea and one more '$'; made by multi_system_expected.py.")
    for (letter, prn) in sorted(shown, key=lambda k: (ORDER.index(k[0]), k[1])):
        el, az, snr = shown[(letter, prn)]
        is_used = prn in used.get(letter if letter not in "SJ" else "G", set()) or prn in used.get(letter, set())
        state = "used" if is_used else "in view"
        print("%s%02d el %d az %d snr %d %s" % (letter, number_of(letter, prn), el, az, snr, state))


if __name__ == "__main__":
    main()
