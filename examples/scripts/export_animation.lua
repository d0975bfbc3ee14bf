-- Writes every frame of an animation as PNG, in the colours of a submap
-- (the first of the catalogue unless one is named).
-- quarry-cli run --allow-write DIR export_animation.lua IN.nes A DIR [SET AREA SUBMAP]
local number, folder = tonumber(arg[1]), arg[2]
assert(number and folder, "usage: export_animation.lua ROM A DIR [SET AREA SUBMAP]")
local first = quarry.submaps()[1]
quarry.load(tonumber(arg[3] or first.set), tonumber(arg[4] or first.area), tonumber(arg[5] or first.submap))
local animation = quarry.animation(number)
for i = 0, animation.frames do
  local frame = (animation.start + i) % 256
  local path = string.format("%s/animation%02d_%02d.png", folder, number, i)
  quarry.render_frame(frame, path)
  print(path)
end
