-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
-- gallery
print('gallery')
