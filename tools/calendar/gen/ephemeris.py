"""Moments of new moons and solar terms from the Swiss Ephemeris.

A thin ctypes wrapper over Debian's libswe (packages libswe-dev and
swe-basic-data), whose ephemeris files are a compressed form of JPL's DE431.
Positions are apparent geocentric longitudes on the ecliptic and equinox of
date (light time, aberration and nutation included), which is how the Chinese
calendar defines both the new moon and the 24 solar terms. Times are Julian
days in UT (UT1), with the Swiss Ephemeris' own Delta T.
"""

import ctypes
import ctypes.util
import os

SUN = 0
MOON = 1
_SEFLG_SWIEPH = 2
_EPHEMERIS_DIR = os.environ.get("SE_EPHE_PATH", "/usr/share/libswe/ephe")


def _load():
    name = ctypes.util.find_library("swe") or "libswe.so"
    lib = ctypes.CDLL(name)
    lib.swe_set_ephe_path.argtypes = [ctypes.c_char_p]
    lib.swe_calc_ut.restype = ctypes.c_int32
    lib.swe_calc_ut.argtypes = [ctypes.c_double, ctypes.c_int32, ctypes.c_int32,
                                ctypes.POINTER(ctypes.c_double), ctypes.c_char_p]
    lib.swe_set_ephe_path(_EPHEMERIS_DIR.encode())
    return lib


_lib = _load()
_xx = (ctypes.c_double * 6)()
_err = ctypes.create_string_buffer(256)


def longitude(jd_ut, body):
    """Apparent geocentric ecliptic longitude of date, degrees."""
    flags = _lib.swe_calc_ut(jd_ut, body, _SEFLG_SWIEPH, _xx, _err)
    # Refuse silently degraded results: without the ephemeris files libswe
    # falls back to the far less accurate Moshier theory.
    if flags < 0 or not flags & _SEFLG_SWIEPH:
        raise RuntimeError("Swiss Ephemeris files not usable: %s" % _err.value.decode())
    return _xx[0]


def _wrap(angle):
    return (angle + 180.0) % 360.0 - 180.0


def _root(f, jd):
    """Newton iteration with a numeric derivative; converges to < 0.1 ms."""
    for _ in range(60):
        value = f(jd)
        slope = (f(jd + 1e-3) - value) / 1e-3
        step = value / slope
        jd -= step
        if abs(step) < 1e-9:
            return jd
    raise RuntimeError("no convergence near JD %.3f" % jd)


def solar_term(jd_guess, longitude_deg):
    """Moment the Sun's apparent longitude reaches longitude_deg, near jd_guess."""
    return _root(lambda t: _wrap(longitude(t, SUN) - longitude_deg), jd_guess)


def new_moon(jd_guess):
    """Moment of the conjunction in longitude nearest to jd_guess."""
    return _root(lambda t: _wrap(longitude(t, MOON) - longitude(t, SUN)), jd_guess)
