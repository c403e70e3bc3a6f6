#!/usr/bin/env python3
"""Writes the satellites the program should show after a recorded multi-system stream.

    tests/data/multi_system_expected.py tests/data/sim_four_systems.nmea > tests/data/sim_four_systems.expected
    tests/data/multi_system_expected.py tests/data/sim_dual_band.nmea > tests/data/sim_dual_band.expected
    tests/data/multi_system_expected.py --signal tests/data/sim_dual_band.nmea > tests/data/sim_dual_band.signal

Worked out here, apart from the program's code, for a stream of NMEA 4.10 and 4.11 receivers
(GSA with a system ID, GSV with a signal ID): the latest GSV group of each talker and signal; a
satellite heard on several signals once, with one SNR per frequency band, that of the band's
lowest signal ID, and the position of its lowest band; the used satellites of each system from
its GSA sentences (consecutive ones of one system add up). One line per satellite, by system
(GPS, SBAS, GLONASS, Galileo, BeiDou, QZSS) and PRN: label, elevation, azimuth, the SNR (of each
band in band order, "snr L1 38 L5 41", when it has several), used or in view.

With --signal: the signal strength figures of the run instead, taken at each GGA from the
satellites as they stand then, from the first GGA at which any is known: per epoch the mean C/N0
of the satellites with an L1 SNR above 0 and the mean of the four strongest of them (of all when
fewer), the same on L5, and per system the satellites in view, used and their L1 mean; each
averaged over the epochs that have it (in view and used over every epoch counted).
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


def heard_of(groups):
    """(letter, prn) -> {band: (signal, el, az, snr)}, each band's from its lowest signal ID."""
    heard = {}
    for (talker, signal), satellites in groups.items():
        for prn, (el, az, snr) in satellites.items():
            letter = letter_of(TALKER_LETTER[talker], prn)
            band = SIGNAL_BANDS[letter].get(signal, "L1")
            bands = heard.setdefault((letter, prn), {})
            if band not in bands or signal < bands[band][0]:
                bands[band] = (signal, el, az, snr)
    return heard


def mean(values):
    return sum(values) / len(values) if values else None


def band_means(heard, band):
    cn0 = sorted((b[band][3] for b in heard.values() if band in b and b[band][3] > 0), reverse=True)
    return mean(cn0), mean(cn0[:4])


def epoch_figures(heard, used):
    figures = {}
    figures["cn0_mean"], figures["cn0_top4_mean"] = band_means(heard, "L1")
    figures["cn0_l5_mean"], figures["cn0_l5_top4_mean"] = band_means(heard, "L5")
    for letter in ORDER:
        mine = {key: bands for key, bands in heard.items() if key[0] == letter}
        figures[letter] = (len(mine), sum(1 for (l, prn) in mine if used_by(l, prn, used)),
                           band_means(mine, "L1")[0])
    return figures


def print_signal(name, epochs):
    print("# Signal strength figures over %s, taken at each GGA; made by multi_system_expected.py --signal." % name)
    print("epochs %d" % len(epochs))
    for key in ("cn0_mean", "cn0_top4_mean", "cn0_l5_mean", "cn0_l5_top4_mean"):
        value = mean([e[key] for e in epochs if e[key] is not None])
        print("%s %s" % (key, "null" if value is None else "%.9f" % value))
    for letter in ORDER:
        if not any(e[letter][0] for e in epochs):
            continue
        in_view = mean([e[letter][0] for e in epochs])
        used = mean([e[letter][1] for e in epochs])
        cn0 = mean([e[letter][2] for e in epochs if e[letter][2] is not None])
        print("system %s %.9f %.9f %s" % (letter, in_view, used, "null" if cn0 is None else "%.9f" % cn0))


def main():
    signal_figures = sys.argv[1] == "--signal"
    path = sys.argv[-1]
    text = open(path, "rb").read().decode("latin-1")
    epochs = []
    groups = {}     # (talker, signal) -> {prn: (el, az, snr)} of the latest whole group
    building = {}
    used = {}       # letter -> set of PRNs
    last_gsa = None
    for line in text.split("\r\n"):
        if not line.startswith("$") or not checksum_ok(line):
            continue
        fields = line[1:line.index("*")].split(",")
        talker, kind = fields[0][:2], fields[0][2:]
        if kind == "GGA" and (epochs or groups):
            epochs.append(epoch_figures(heard_of(groups), used))
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
    name = os.path.basename(path)
    if signal_figures:
        print_signal(name, epochs)
        return
    heard = heard_of(groups)
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
