#version 330 core
// A row of six switches. Each lights up in its own colour when on, squeezes while held
// down, and sends out a ring of light when it is turned on.
#include "common.glsl"

in vec2 uv;
out vec4 fragColor;

uniform vec2 f0_viewSize;            // pixels
uniform float f1_time;               // seconds
uniform float f2_scale;              // pixels per point
uniform float f3_switchOn[6];        // 1 = on
uniform float f4_switchDown[6];      // 1 = held down
uniform float f5_switchHistory[6];   // the last switches turned on, newest first; -1 = none
uniform float f6_switchHistoryTime[6];

const vec2 trackHalf = vec2(22.0, 12.0);   // points
const float knobRadius = 9.5;
const float gap = 16.0;
const float slideSeconds = 0.22;

vec3 switchColour(int i)
{
    vec3 colours[6] = vec3[6](vec3(0.02, 0.55, 1.00), vec3(0.42, 0.12, 1.00), vec3(1.00, 0.10, 0.55),
                              vec3(1.00, 0.42, 0.03), vec3(0.30, 0.90, 0.10), vec3(0.05, 0.85, 0.75));
    return colours[i];
}

// Seconds since switch i was last turned on, or a large number.
float sinceOn(int i, float t)
{
    for (int h = 0; h < 6; ++h) {
        if (int(f5_switchHistory[h] + 0.5) == i && f5_switchHistory[h] >= 0.0)
            return max(t - f6_switchHistoryTime[h], 0.0);
    }
    return 1.0e4;
}

void main()
{
    float scale = max(f2_scale, 0.5);
    vec2 size = max(f0_viewSize, vec2(1.0)) / scale;   // points
    vec2 p = uv * size;
    float t = f1_time;

    // The row fits the width, centred; points stay points until it would not fit.
    float rowWidth = 6.0 * trackHalf.x * 2.0 + 5.0 * gap;
    float fit = min(1.0, (size.x - 24.0) / rowWidth);
    float aa = 1.0 / (scale * fit);                    // one pixel, in row points
    vec2 q = (p - size * 0.5) / fit;                   // row points from the centre

    vec3 colour = mix(vec3(0.010, 0.006, 0.024), vec3(0.002, 0.001, 0.006), uv.y);
    colour *= 1.0 - 0.35 * length((uv - 0.5) * vec2(1.0, 1.6));

    for (int i = 0; i < 6; ++i) {
        vec2 centre = vec2((float(i) - 2.5) * (trackHalf.x * 2.0 + gap), 0.0);
        vec2 local = q - centre;
        float on = clamp(f3_switchOn[i], 0.0, 1.0);
        float down = clamp(f4_switchDown[i], 0.0, 1.0);
        vec3 hue = switchColour(i);

        // The knob slides over when a switch turns on; off is immediate.
        float slide = on > 0.5 ? smoothstep(0.0, 1.0, min(sinceOn(i, t) / slideSeconds, 1.0)) : 0.0;
        float travel = trackHalf.x - trackHalf.y;

        // Glow beneath a lit switch, breathing gently.
        float track = roundedBox(local, trackHalf, trackHalf.y);
        float breath = 0.8 + 0.2 * sin(t * 1.7 + float(i));
        colour += hue * slide * exp(-max(track, 0.0) / 9.0) * 0.35 * breath;

        // The track: dark when off, its colour when on.
        vec3 trackColour = mix(vec3(0.030, 0.028, 0.040), hue * 0.75, slide) * (1.0 - 0.25 * down);
        float trackMask = smoothstep(aa, -aa, track);
        colour = mix(colour, trackColour, trackMask);
        // A thin rim so an off switch still reads against the background.
        colour += vec3(0.05, 0.05, 0.07) * smoothstep(aa, 0.0, abs(track + 0.5)) * (1.0 - slide);

        // The knob, squeezed wider while held down.
        vec2 knobCentre = vec2(mix(-travel, travel, slide), 0.0);
        vec2 knobHalf = vec2(knobRadius * (1.0 + 0.28 * down), knobRadius);
        float knob = roundedBox(local - knobCentre, knobHalf, knobRadius);
        float shadow = smoothstep(4.0, -1.0, roundedBox(local - knobCentre - vec2(0.0, 1.2), knobHalf, knobRadius));
        colour *= 1.0 - 0.35 * shadow * trackMask;
        vec3 knobColour = mix(vec3(0.80, 0.80, 0.86), vec3(1.0), slide) * (1.0 - 0.12 * down);
        colour = mix(colour, knobColour, smoothstep(aa, -aa, knob));
    }

    // Rings of light from the last switches turned on, newest brightest.
    for (int h = 0; h < 6; ++h) {
        int index = int(f5_switchHistory[h] + 0.5);
        if (f5_switchHistory[h] < 0.0 || index > 5)
            continue;
        float age = t - f6_switchHistoryTime[h];
        if (age < 0.0 || age > 2.0)
            continue;
        vec2 centre = vec2((float(index) - 2.5) * (trackHalf.x * 2.0 + gap), 0.0);
        float radius = trackHalf.y + age * 70.0;
        float ring = roundedBox(q - centre, trackHalf + vec2(radius - trackHalf.y), radius);
        float fade = exp(-age * 2.8) * (1.0 - float(h) * 0.12);
        colour += switchColour(index) * smoothstep(3.0 + age * 6.0, 0.0, abs(ring)) * fade * 0.6;
    }

    fragColor = vec4(encodeSRGB(toneMap(colour * 1.3)), 1.0);
}
