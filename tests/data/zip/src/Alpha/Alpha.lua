-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
-- Alpha
print('alpha')
