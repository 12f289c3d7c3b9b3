#version 330 core
// Passes position, vertex colour and texture coordinates on unchanged.
in vec3 a_position;
in vec4 a_colour;
in vec2 a_texcoord;
uniform mat4 u_matrix;
out vec4 v_colour;
out vec2 v_texcoord;
void main() {
  gl_Position = u_matrix * vec4(a_position, 1.0);
  v_colour = a_colour;
  v_texcoord = a_texcoord;
}
