// The full-view quad: vertex buffer 0 holds clip-space positions, two floats each. Hands on
// uv, 0 to 1 across the view with its origin at the top left, as images are stored.
layout(location = 0) in vec2 position;
out vec2 uv;

void main()
{
    uv = vec2(position.x * 0.5 + 0.5, 0.5 - position.y * 0.5);
    gl_Position = vec4(position, 0.0, 1.0);
}
