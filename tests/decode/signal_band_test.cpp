#include "decode/satellite_sky.h"
#include "decode/signal_band.h"

#include <gtest/gtest.h>

namespace norvane {
namespace {

// Every range's first and last signal ID, the IDs just outside it, and what has no ID.
TEST(SignalBand, SignalIdsOfEachSystemFallInTheirBands)
{
    using enum GnssSystem;
    struct Case {
        GnssSystem system;
        int signal;
        const char* band;
    };
    const Case cases[] = {
        {Gps, kNoSignal, "L1"}, {Gps, 0, "L1"},      {Gps, 1, "L1"},      {Gps, 3, "L1"},
        {Gps, 4, "L2"},         {Gps, 6, "L2"},      {Gps, 7, "L5"},      {Gps, 8, "L5"},
        {Gps, 9, "L1"},         {Sbas, 1, "L1"},     {Sbas, 7, "L5"},     {Glonass, kNoSignal, "L1"},
        {Glonass, 1, "L1"},     {Glonass, 2, "L1"},  {Glonass, 3, "L2"},  {Glonass, 4, "L2"},
        {Galileo, 0, "L1"},     {Galileo, 1, "L5"},  {Galileo, 3, "L5"},  {Galileo, 4, "E6"},
        {Galileo, 5, "E6"},     {Galileo, 6, "L1"},  {Galileo, 7, "L1"},  {BeiDou, 1, "L1"},
        {BeiDou, 4, "L1"},      {BeiDou, 5, "L5"},   {BeiDou, 7, "L5"},   {BeiDou, 8, "E6"},
        {BeiDou, 0xA, "E6"},    {BeiDou, 0xB, "L5"}, {BeiDou, 0xC, "L5"}, {BeiDou, 0xD, "L1"},
        {Qzss, 1, "L1"},        {Qzss, 4, "L1"},     {Qzss, 5, "L2"},     {Qzss, 6, "L2"},
        {Qzss, 7, "L5"},        {Qzss, 8, "L5"},     {Qzss, 9, "E6"},     {Qzss, 0xA, "E6"},
        {NavIc, 0, "L1"},       {NavIc, 1, "L5"},    {NavIc, 2, "S"},     {NavIc, 3, "L5"},
        {NavIc, 4, "S"},        {NavIc, 5, "L1"},    {Other, 7, "L1"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bandName(bandOfSignal(c.system, c.signal)), c.band)
            << "system " << static_cast<int>(c.system) << ", signal " << c.signal;
}

} // namespace
} // namespace norvane
