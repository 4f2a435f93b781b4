#include "card_reader.h"

#include "engine_constants.h"
#include "error_codes.h"
#include "geometry.h"
#include "text_format.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace kelvd {

namespace {

constexpr double kLightFeetPerSecond = 983571200.0;

bool allFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

// The report lines that say why the cards were refused; each returns errors::kCard.
int fieldsMissing(std::string& why, int card, int fields) {
    Appendf(why, "  RUN REFUSED: CARD %d HAS A LINE THAT DOES NOT GIVE ITS %d NUMBERS\n", card, fields);
    return errors::kCard;
}

int notFinite(std::string& why, int card) {
    Appendf(why, "  RUN REFUSED: CARD %d HOLDS A VALUE THAT IS NOT A FINITE NUMBER\n", card);
    return errors::kCard;
}

int beyondCapacity(std::string& why, int card, int count, const char* what, int capacity) {
    Appendf(why, "  RUN REFUSED: CARD %d GIVES %d %s; THE ENGINE KEEPS AT MOST %d\n", card, count, what, capacity);
    return errors::kCard;
}

// Consumes characters up to and including the next line feed (or to end of file).
void skipLine(std::FILE* file) {
    int c;
    while ((c = std::fgetc(file)) != EOF && c != '\n') {
    }
}

int readCard1(std::FILE* file, RunInputs& in, std::string& echo, std::string& why) {
    int nv = 0, model = 0, debug = 0;
    double re = 0, im = 0, sigma = 0;
    if (std::fscanf(file, " %d %d %d ( %lf , %lf ) %lf", &nv, &model, &debug, &re, &im, &sigma) != 6)
        return fieldsMissing(why, 1, 6);
    if (nv > limits::kMaxVertices)
        return beyondCapacity(why, 1, nv, "PROFILE VERTICES", limits::kMaxVertices);
    if (!allFinite({re, im, sigma}))
        return notFinite(why, 1);
    in.NV = nv;
    in.MODEL = model;
    in.DEBUG = debug;
    in.permRe = re;
    in.permIm = im;
    in.conductivity = sigma;
    if (nv <= 1)
        in.profileFromGround = true;
    in.cardProfile = Profile{};
    if (nv == 0)
        return 0;
    Appendf(echo, "          %5d%5d%5d\n", nv, model, debug);
    for (int i = 0; i < nv; ++i) {
        Vec3& v = in.cardProfile.v[static_cast<size_t>(i)];
        if (std::fscanf(file, " %lf %lf %lf", &v.x, &v.y, &v.z) != 3)
            return fieldsMissing(why, 1, 3);
        if (!allFinite({v.x, v.y, v.z}))
            return notFinite(why, 1);
        Appendf(echo, "          %10.3f%10.3f%10.3f\n", v.x, v.y, v.z);
    }
    in.cardProfile.NV = nv > 0 ? nv : 0;
    return 0;
}

int readCard2(std::FILE* file, RunInputs& in, std::string& why) {
    // The field count is not tested: missing fields keep their values.
    std::fscanf(file, " %lf %lf %lf %lf %lf", &in.theodolite.x, &in.theodolite.y, &in.theodolite.z,
                &in.pathRefAngle, &in.widthRefAngle);
    return allFinite({in.theodolite.x, in.theodolite.y, in.theodolite.z, in.pathRefAngle, in.widthRefAngle})
               ? 0
               : notFinite(why, 2);
}

int readCard3(std::FILE* file, RunInputs& in, std::string& echo, std::string& why) {
    int na = 0, amode = 0;
    double freq = 0, m = 0, a = 0, mc150 = 0;
    if (std::fscanf(file, " %d %lf %lf %lf %lf %d", &na, &freq, &m, &a, &mc150, &amode) != 6)
        return fieldsMissing(why, 3, 6);
    if (na > limits::kMaxAntennas)
        return beyondCapacity(why, 3, na, "ANTENNAS", limits::kMaxAntennas);
    if (!allFinite({freq, m, a, mc150}))
        return notFinite(why, 3);
    in.NA = na;
    in.FREQ = freq;
    in.M = m;
    in.A = a;
    in.MC150 = mc150;
    in.AMODE = amode;
    // A frequency of 0 or less has no wavelength: the derived values stay 0 and the run fails after the
    // report header, which says why.
    in.lambda = freq > 0 ? kLightFeetPerSecond / (freq * 1000000.0) : 0;
    in.k = freq > 0 ? 2 * std::numbers::pi / in.lambda : 0;
    in.epsEff = Complex(in.permRe, in.permIm - (freq > 0 ? 18000.0 * in.conductivity / freq : 0));
    if (!allFinite({in.lambda, in.k, in.epsEff.real(), in.epsEff.imag()}))
        return notFinite(why, 3);
    in.clearanceCorrection = false;
    for (int i = 0; i < na; ++i) {
        AntennaInput& ant = in.ant[static_cast<size_t>(i)];
        ant = AntennaInput{};
        if (std::fscanf(file, " %d %lf %lf %lf %lf %lf %lf %lf", &ant.number, &ant.pos.x, &ant.pos.y, &ant.pos.z,
                        &ant.CANT, &ant.e[0], &ant.e[1], &ant.e[2]) != 8)
            return fieldsMissing(why, 3, 8);
        if (!allFinite({ant.pos.x, ant.pos.y, ant.pos.z, ant.CANT, ant.e[0], ant.e[1], ant.e[2]}))
            return notFinite(why, 3);
        Appendf(echo, "          %5d     %10.3f%10.3f%10.3f%10.3f\n", ant.number, ant.pos.x, ant.pos.y, ant.pos.z,
                ant.CANT);
        if (std::fscanf(file, " %lf %lf %lf %lf %lf %lf", &ant.issMag, &ant.issPha, &ant.icsMag, &ant.icsPha,
                        &ant.iccMag, &ant.iccPha) != 6)
            return fieldsMissing(why, 3, 6);
        if (!allFinite({ant.issMag, ant.issPha, ant.icsMag, ant.icsPha, ant.iccMag, ant.iccPha}))
            return notFinite(why, 3);
        if (amode > 1)
            for (size_t j = 0; j < 3; ++j)
                ant.elementFactor[j] = Complex(1, ant.e[j]);
        if (std::fabs(ant.iccMag) > 0.000001)
            in.clearanceCorrection = true;
    }
    return 0;
}

int readCard4(std::FILE* file, RunInputs& in, std::string& echo, std::string& why) {
    int type = 0, npts = 0, angflag = 0;
    double p[6] = {};
    if (std::fscanf(file, " %d %d %d %lf %lf %lf", &type, &npts, &angflag, &p[0], &p[1], &p[2]) != 6)
        return fieldsMissing(why, 4, 6);
    if (type == 0)
        type = 2;
    if (type == 5)
        npts = 84;
    Appendf(echo, "          %5d%5d%5d     %10.3f%10.3f%10.3f\n", type, npts, angflag, p[0], p[1], p[2]);
    if (std::fscanf(file, " %lf %lf %lf", &p[3], &p[4], &p[5]) != 3)
        return fieldsMissing(why, 4, 3);
    if (!allFinite({p[0], p[1], p[2], p[3], p[4], p[5]}))
        return notFinite(why, 4);
    Appendf(echo, "%30s%10.3f%10.3f%10.3f\n", " ", p[3], p[4], p[5]);
    in.TYPE = type;
    in.NPTS = npts;
    in.ANGFLAG = angflag;
    for (size_t i = 0; i < 6; ++i)
        in.P[i] = p[i];
    return 0;
}

int readCard5(std::FILE* file, RunInputs& in, std::string& why) {
    int on = 0, xs = 0, ys = 0;
    double o[4] = {};
    int s[12] = {};
    if (std::fscanf(file, " %d %d %d %lf %lf %lf %lf %d %d %d %d %d %d %d %d %d %d %d %d", &on, &xs, &ys, &o[0],
                    &o[1], &o[2], &o[3], &s[0], &s[1], &s[2], &s[3], &s[4], &s[5], &s[6], &s[7], &s[8], &s[9],
                    &s[10], &s[11]) != 19)
        return fieldsMissing(why, 5, 19);
    in.PLOTON = on;
    in.XSEL = xs;
    in.YSEL = ys;
    for (size_t i = 0; i < 4; ++i)
        in.outParams[i] = o[i];
    for (size_t i = 0; i < 12; ++i)
        in.rayIgnore[i] = s[i];
    return 0;
}

} // namespace

void RDQSTR(std::FILE* file, std::string& text, int max) {
    text.clear();
    int c;
    while ((c = std::fgetc(file)) != '\'')
        if (c == EOF)
            return;
    while (static_cast<int>(text.size()) < max) {
        c = std::fgetc(file);
        if (c == EOF || c == '\'' || c == '\n')
            return;
        if (c == '\r') {
            const int next = std::fgetc(file);
            if (next == '\n')
                return;
            if (next != EOF)
                std::ungetc(next, file);
        }
        text += static_cast<char>(c);
    }
    while ((c = std::fgetc(file)) != EOF && c != '\'' && c != '\n') {
    }
}

void WRQSTR(std::string& out, const std::string& text) {
    out += '\'';
    out += text;
    out += '\'';
}

int ReadCards(std::FILE* file, RunInputs& in, std::string& echo, std::string* reason) {
    std::string unused;
    std::string& why = reason ? *reason : unused;
    RDQSTR(file, in.label, 1);
    RDQSTR(file, in.title, 76);
    WRQSTR(echo, in.label);
    WRQSTR(echo, in.title);
    Appendf(echo, "\n");

    for (int previous = -1;;) {
        std::string name;
        RDQSTR(file, name, 3);
        int card = 0;
        double dB = 0, phase = 0;
        if (std::fscanf(file, "%d %lf %lf", &card, &dB, &phase) != 3 || !allFinite({dB, phase})) {
            const std::string after = previous < 0 ? "THE TITLE" : "CARD " + std::to_string(previous);
            Appendf(why, "  RUN REFUSED: NO END CARD, OR A CARD HEADER AFTER %s WITHOUT ITS 3 NUMBERS\n",
                    after.c_str());
            return errors::kCard;
        }
        previous = card;
        in.lastHeaderDb = dB;
        in.lastHeaderPhase = phase;
        in.F0 = std::pow(10.0, -dB / 20.0) * Complex(std::cos(-phase * kRadPerDeg), std::sin(-phase * kRadPerDeg));
        if (dB == 0)
            Appendf(echo, "%.3s           %1d\n", name.c_str(), card);
        else
            Appendf(echo, "%.3s           %1d%10.4f%10.4f\n", name.c_str(), card, dB, phase);

        int rc = 0;
        switch (card) {
        case 0:
            return 0;
        case 1:
            rc = readCard1(file, in, echo, why);
            break;
        case 2:
            rc = readCard2(file, in, why);
            break;
        case 3:
            rc = readCard3(file, in, echo, why);
            break;
        case 4:
            rc = readCard4(file, in, echo, why);
            break;
        case 5:
            rc = readCard5(file, in, why);
            break;
        case 6:
            for (int i = 0; i < 3; ++i)
                skipLine(file);
            break;
        default:
            break;
        }
        if (rc != 0)
            return rc;
    }
}

} // namespace kelvd
