// Diagonal stripes, 8 pixels apart, that mark colours a gamut cannot hold; the colour shows
// through between them.
vec3 markOutside(vec3 colour, bool outside)
{
    if (!outside)
        return colour;
    float stripe = step(0.5, fract((gl_FragCoord.x + gl_FragCoord.y) / 8.0));
    return mix(colour, vec3(1.0, 0.0, 1.0), stripe);
}

bool outsideUnitCube(vec3 c)
{
    const float tolerance = 1.0e-4;
    return any(lessThan(c, vec3(-tolerance))) || any(greaterThan(c, vec3(1.0 + tolerance)));
}
